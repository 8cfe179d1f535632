# d = 0 divides by zero in the element impedance.
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «0»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «2»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «7»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «Y»
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
