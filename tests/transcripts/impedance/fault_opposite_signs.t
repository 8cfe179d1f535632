# L and d of opposite signs: the logarithm of a negative number is an
# invalid operation.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7»
 ↵
   エレメントの長さは？ｍですか？   «-10»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
Runtime error 207 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 207]
