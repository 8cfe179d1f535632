# L = 0: the logarithm of zero is reported as a division by zero.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7»
 ↵
   エレメントの長さは？ｍですか？   «0»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
