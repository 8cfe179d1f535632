# 30 m at 7 MHz is 0.7 wavelength: the range apology, then the reactance
# curve's. The negative resistance is corrected for a thin element, and the
# reactance curve contributes 0.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7»
 ↵
   エレメントの長さは？ｍですか？   «30»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    617.84オームです↵
この範囲は計算をサポートしていません。御免なさい↵
この範囲は計算をサポートしていません。御免なさい↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、   -214.28  j(       0.00) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
