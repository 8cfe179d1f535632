# Elements longer than a quarter wave are refused: the refusal has no line
# end, so the closing request continues its line; with answer N the tip
# length is not asked. 12 m at 7 MHz; 7.51 m at 10 MHz; at 9 MHz the double
# 8.3333333333333339 lies above the extended quarter wave 8.33333333333333333304
# (though it is the double nearest to it) and is refused; a negative frequency
# refuses every length.
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «10»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «12»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «7»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «N»
このソフトは、ローディングアンテナ用です。定数を再確認してください                                               リターンキーを押してください↵
«»
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «10»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «7.51»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «10»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «N»
このソフトは、ローディングアンテナ用です。定数を再確認してください                                               リターンキーを押してください↵
«»
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «10»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «8.3333333333333339»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «9»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «Y»
このソフトは、ローディングアンテナ用です。定数を再確認してください                                               リターンキーを押してください↵
«»
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
周波数（ＭＨｚ）は、いくつですか？？                     «-7»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «N»
このソフトは、ローディングアンテナ用です。定数を再確認してください                                               リターンキーを押してください↵
«»
[screen menu]
«0»
 ↵
[exit 0]
