# A frequency so small that 288 ÷ f exceeds the largest double: the length
# check still works in the extended format, storing the wavelength ends the
# program with run-time error 205.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«0»
 ↵
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «1e-310»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «0»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «0»
 ↵
 ↵
 ↵
      ただ今計算中↵
Runtime error 205 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 205]
