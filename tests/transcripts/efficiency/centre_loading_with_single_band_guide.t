# Band count 1 shows the single-band guide; centre loading at 7.05 MHz,
# L1 2.1 m and L2 3.3 m: ratio 0.444, -7.06 dB filling the width of 5.
# After the Return one blank is written without a line end: the menu's first line reads "  ↵".
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«1»
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
«0»
 ↵
[exit 0]
