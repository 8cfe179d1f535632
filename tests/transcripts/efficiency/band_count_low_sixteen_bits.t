# Only the low 16 bits of the band count pick the guide screen: 65537 shows
# the single-band guide, $10002 (hexadecimal, 65538) the two-band one, 5 the
# multi-band one; 65536 (0) and 32768 (-32768) show none. Each run is
# centre loading at 7.05 MHz, L1 2.1 m and L2 3.3 m.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«65537»
 ↵
[screen efficiency_single_band_guide]
«»
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «2.1»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «3.3»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.444です↵
 ↵
能率（利得）は -7.06ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«$10002»
 ↵
[screen efficiency_two_band_guide]
«»
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «2.1»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «3.3»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.444です↵
 ↵
能率（利得）は -7.06ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«5»
 ↵
[screen efficiency_multi_band_guide]
«»
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «2.1»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «3.3»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.444です↵
 ↵
能率（利得）は -7.06ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«65536»
 ↵
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «2.1»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «3.3»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.444です↵
 ↵
能率（利得）は -7.06ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«32768»
 ↵
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «2.1»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «3.3»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.444です↵
 ↵
能率（利得）は -7.06ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«0»
 ↵
[exit 0]
