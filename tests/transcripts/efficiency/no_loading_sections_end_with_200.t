# L1 = 0 and L2 = 0: no sample lies on either section (the last sample sits
# exactly on a2 and does not count), so the ratio line shows 0.000 and the
# logarithm of zero then ends the program with run-time error 200.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«9»
 ↵
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «7.05»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «0»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «0»
 ↵
 ↵
 ↵
      ただ今計算中↵
 ↵
 ↵
能率は、真数で0.000です↵
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
