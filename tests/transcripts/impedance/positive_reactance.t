# A 10.5 m element of 100 mm at 7.05 MHz, just past its resonance: the
# reactance is positive.
[screen menu]
«3»
 ↵
[screen impedance_introduction]
 ↵
   周波数は？ＭＨｚですか？　        «7.05»
 ↵
   エレメントの長さは？ｍですか？   «10.5»
 ↵
   エレメントの直径は？ｍｍですか  «100»
 ↵
 ↵
アンテナの基本伝送特性インピーダンスは、    320.47オームです↵
 ↵
この導体の、端点（給電点）でのインピーダンスは、     31.31  j(      22.10) オームです↵
[screen impedance_closing]
[screen menu]
«0»
 ↵
[exit 0]
