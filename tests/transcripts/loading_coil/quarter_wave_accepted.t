# An element of exactly a quarter wave (7.5 m at 10 MHz) passes the length
# check; the coil it needs is tiny.
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «10»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «7.5»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «10»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «Y»
 ↵
 ↵
 ↵
アンテナ導体の、基本特性インピーダンスは  438.30オームです↵
　　　　　［注意：これは給電点インピーダンスとは違うものです！］ ↵
 ↵
 ↵
ローディングコイルのインダクタンスは   0.0056 μヘンリーです↵
 ↵
                                               リターンキーを押してください↵
«»
[screen menu]
«0»
 ↵
[exit 0]
