# Frequency 0 divides by zero in the quarter wave, after both answers.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«0»
                    アンテナの直径は？ｍｍですか↵
«2»
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
