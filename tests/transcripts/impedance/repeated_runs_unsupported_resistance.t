# A very thick 0.63 wavelength element is outside the resistance curve and
# prints R = 0.00 before and after a run with a resistance of its own
# (about 0.2 wavelength at 300 ohms).
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «30»
 ↵
   エレメントの長さは？ｍですか？   «6.3»
 ↵
   エレメントの直径は？ｍｍですか  «2380»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、     99.88オームです↵
この範囲は計算をサポートしていません。御免なさい↵
この範囲は計算をサポートしていません。御免なさい↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、      0.00  j(     -85.94) オームです↵
[screen impedance_closing]
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «30»
 ↵
   エレメントの長さは？ｍですか？   «2»
 ↵
   エレメントの直径は？ｍｍですか  «26.84»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    299.91オームです↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、     16.30  j(     -75.88) オームです↵
[screen impedance_closing]
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «30»
 ↵
   エレメントの長さは？ｍですか？   «6.3»
 ↵
   エレメントの直径は？ｍｍですか  «2380»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、     99.88オームです↵
この範囲は計算をサポートしていません。御免なさい↵
この範囲は計算をサポートしていません。御免なさい↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、      0.00  j(     -85.94) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
