# A negative f makes the quarter wave negative: the warning, no sample on
# either section, the 0.000 line, then run-time error 200 at the logarithm.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«0»
 ↵
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «-7.05»
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
入力されたデーターは誤りです↵
                  でも、一応計算は実行します↵
 ↵
 ↵
能率は、真数で0.000です↵
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
