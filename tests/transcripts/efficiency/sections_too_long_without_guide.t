# Band count 0 shows no guide. L1 + L2 = 20 m is more than a shortened
# quarter wave at 7.05 MHz: the warning, then the computation anyway; the
# overlap counts samples twice, so the ratio exceeds 1 (1.967, 5.88 dB
# with one leading blank).
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«0»
 ↵
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «10»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «10»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
入力されたデーターは誤りです↵
                  でも、一応計算は実行します↵
 ↵
 ↵
能率は、真数で1.967です↵
 ↵
能率（利得）は  5.88ｄＢです ↵
[screen efficiency_closing]
«» 
[screen menu]
«0»
 ↵
[exit 0]
