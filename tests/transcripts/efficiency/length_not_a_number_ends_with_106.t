# A length typed with a unit glued to it is not a number: run-time error 106.
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
給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   «2.1m»
Runtime error 106 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 106]
