# d = 0 and L = 0 make 0 / 0 in the element impedance: invalid operation.
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «0»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «0»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «7»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «Y»
Runtime error 207 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 207]
