# f = 0: the wavelength 300 / 0 is a division by zero right after the first
# answer; the second question never appears.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «0»
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
