# L = 0 and d = 0: 0 / 0 is an invalid operation.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7»
 ↵
   エレメントの長さは？ｍですか？   «0»
 ↵
   エレメントの直径は？ｍｍですか  «0»
 ↵
 ↵
Runtime error 207 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 207]
