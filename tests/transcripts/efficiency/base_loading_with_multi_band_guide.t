# Band count 3 shows the multi-band guide; only L × f matters, so 14.1 MHz
# with L2 2.55 m gives the figures of 7.05 MHz with 5.1 m.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«3»
 ↵
[screen efficiency_multi_band_guide]
«»
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «14.1»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «0»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «2.55»
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
