# 1 m at 30 MHz is 0.1 wavelength as a double, which lies above the
# extended 0.1: no apology.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «30»
 ↵
   エレメントの長さは？ｍですか？   «1»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    414.00オームです↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、      1.87  j(    -554.88) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
