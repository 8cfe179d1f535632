# Diameter 0 divides by zero in the element impedance.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«7.05»
                    アンテナの直径は？ｍｍですか↵
«0»
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
