# At 1e-300 MHz the base-loading inductance is too large for a double when
# it is stored: overflow, before any result line.
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
周波数（ＭＨｚ）は、いくつですか？？                     «1e-300»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «Y»
Runtime error 205 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 205]
