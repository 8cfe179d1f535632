# Band count 2 shows the two-band guide; base loading (L1 = 0) at 7.05 MHz
# with L2 5.1 m: ratio 0.292, -10.68 dB wider than its field of 5.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«2»
 ↵
[screen efficiency_two_band_guide]
«»
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «0»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «5.1»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.292です↵
 ↵
能率（利得）は -10.68ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«0»
 ↵
[exit 0]
