# 300 MHz and 500 mm: the diameter equals the half wave, the logarithm is
# 0, so Z is 0 and the shortening divides by zero; no result line is written.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«300»
                    アンテナの直径は？ｍｍですか↵
«500»
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
