# At 1e-307 MHz the quarter wave is too large for a double when stored.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«1e-307»
                    アンテナの直径は？ｍｍですか↵
«2»
Runtime error 205 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 205]
