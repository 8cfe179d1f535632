# Frequency and diameter of opposite signs take the logarithm of a negative
# number: invalid operation.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«-7.05»
                    アンテナの直径は？ｍｍですか↵
«2»
Runtime error 207 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 207]
