# A 5 m element of 20 mm at 14 MHz.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «14»
 ↵
   エレメントの長さは？ｍですか？   «5»
 ↵
   エレメントの直径は？ｍｍですか  «20»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    372.46オームです↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、     28.55  j(     -44.71) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
