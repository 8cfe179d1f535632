# 6.3 m at 30 MHz is 0.63 wavelength as a double, which lies above the
# extended 0.63: the range apology is written.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «30»
 ↵
   エレメントの長さは？ｍですか？   «6.3»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    524.31オームです↵
この範囲は計算をサポートしていません。御免なさい↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、    477.62  j(    -365.77) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
