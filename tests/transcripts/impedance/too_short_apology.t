# 3 m at 7 MHz is 0.07 wavelength: the range apology follows the impedance
# line directly; both curves still cover the element and the result follows.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7»
 ↵
   エレメントの長さは？ｍですか？   «3»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    479.84オームです↵
この範囲は計算をサポートしていません。御免なさい↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、      0.64  j(    -646.35) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
