# A 10 m whip of 2 mm at 7 MHz (0.233 wavelength): 552 ohms, no apology,
# and the feed point R = 68.54, X = -447.00.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7»
 ↵
   エレメントの長さは？ｍですか？   «10»
 ↵
   エレメントの直径は？ｍｍですか  «2»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    552.00オームです↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、     68.54  j(    -447.00) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
