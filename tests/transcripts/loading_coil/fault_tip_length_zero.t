# Centre loading with t = 0 divides by zero, after the tip-length prompt and
# its blank line; no result line is written.
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
周波数（ＭＨｚ）は、いくつですか？？                     «7»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «n»
 ↵
アンテナ先端部の長さは？ｍですか？？？↵
先端（または、容量冠のはじっこ）から、ローディングコイルまでの長さです  «0»
 ↵
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
