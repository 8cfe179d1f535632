# f = 0 divides by zero in the length check, right after the fourth answer.
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «10»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «2»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «0»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «Y»
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
