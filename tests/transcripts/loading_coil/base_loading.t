# Base loading: d 10 mm, L 2 m, f 7 MHz, answer Y. Z fills its width of 6
# exactly; the inductance gets one leading blank in its width of 8. Text typed
# at the two pauses is discarded and the menu comes back.
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«go»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «10»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «2»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «7»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «Y»
 ↵
 ↵
 ↵
アンテナ導体の、基本特性インピーダンスは  359.08オームです↵
　　　　　［注意：これは給電点インピーダンスとは違うものです！］ ↵
 ↵
 ↵
ローディングコイルのインダクタンスは  27.0697 μヘンリーです↵
 ↵
                                               リターンキーを押してください↵
«thank you»
[screen menu]
«0»
 ↵
[exit 0]
