# f = 0: the division in the length check ends the program with run-time
# error 200 right after the line "ただ今計算中".
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«-1»
 ↵
 ↵
 ↵
 ↵
     周波数は　？ＭＨｚ　ですか？？     «0»
 ↵
 ↵
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «2.1»
 ↵
先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   «3.3»
 ↵
 ↵
 ↵
      ただ今計算中↵
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
