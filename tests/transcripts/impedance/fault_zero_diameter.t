# d = 0: the characteristic impedance divides by zero after the two blank
# lines, before the impedance line.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7»
 ↵
   エレメントの長さは？ｍですか？   «10»
 ↵
   エレメントの直径は？ｍｍですか  «0»
 ↵
 ↵
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
