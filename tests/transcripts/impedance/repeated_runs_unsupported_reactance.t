# Each run starts from base values of 0: the 0.7 wavelength element prints
# the same lines before and after a run whose reactance curve had a value.
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
