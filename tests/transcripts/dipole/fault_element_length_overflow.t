# 7.5e-297 MHz and a diameter just over the half wave (2.00000000001e301 mm):
# the shortening is huge and negative but still a double, so its line is
# written; the element length is not, and storing it ends the program.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«7.5e-297»
                    アンテナの直径は？ｍｍですか↵
«2.00000000001e301»
波長短縮率は-4522132197786.37％  です↵
Runtime error 205 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 205]
