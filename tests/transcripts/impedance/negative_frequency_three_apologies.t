# A negative frequency makes the length negative: the range apology, then
# both curves' apologies; nothing is contributed, R and X are 0.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «-7»
 ↵
   エレメントの長さは？ｍですか？   «10»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    552.00オームです↵
この範囲は計算をサポートしていません。御免なさい↵
この範囲は計算をサポートしていません。御免なさい↵
この範囲は計算をサポートしていません。御免なさい↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、      0.00  j(       0.00) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
