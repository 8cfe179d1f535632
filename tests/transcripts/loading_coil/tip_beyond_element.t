# Only the first byte of the answer counts (No selects centre loading), and
# a tip length greater than the element is computed without complaint.
[screen menu]
«1»
 ↵
[screen loading_coil_intro]
«»
 ↵
アンテナエレメントの直径（ｍｍ）を、入力してください     «10»
 ↵
アンテナエレメントの長さ（ｍ）を、入力してください       «1»
 ↵
周波数（ＭＨｚ）は、いくつですか？？                     «7»
 ↵
ベースローディングですね　Ｙ  or  Ｎ           «No»
 ↵
アンテナ先端部の長さは？ｍですか？？？↵
先端（または、容量冠のはじっこ）から、ローディングコイルまでの長さです  «3»
 ↵
 ↵
 ↵
 ↵
アンテナ導体の、基本特性インピーダンスは  317.54オームです↵
　　　　　［注意：これは給電点インピーダンスとは違うものです！］ ↵
 ↵
 ↵
ローディングコイルのインダクタンスは  16.7914 μヘンリーです↵
 ↵
                                               リターンキーを押してください↵
«»
[screen menu]
«0»
 ↵
[exit 0]
