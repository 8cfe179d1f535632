# Band count 8 still shows the multi-band guide; top loading (L2 = 0) at
# 7.05 MHz with L1 5.1 m: ratio 0.706, -3.03 dB.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«8»
 ↵
[screen efficiency_multi_band_guide]
«»
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «5.1»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «0»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.706です↵
 ↵
能率（利得）は -3.03ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«0»
 ↵
[exit 0]
