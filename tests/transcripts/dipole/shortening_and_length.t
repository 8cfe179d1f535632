# Each question is a line of its own, answered below it; the shortening in
# percent (width 6) and the length of one element (width 7) follow with no
# blank line. 7.05 MHz and 2 mm; 14.1 MHz and 2 mm; a thicker conductor,
# 7.05 MHz and 20 mm, shortens more. Text typed at the pause is discarded.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«7.05»
                    アンテナの直径は？ｍｍですか↵
«2»
波長短縮率は  2.44％  です↵
入力された周波数に共振するエレメントの長さは 10.379ｍ　です↵
 ↵
 ↵
 ↵
                                        リターンキーを押してください ↵
«5»
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«14.1»
                    アンテナの直径は？ｍｍですか↵
«2»
波長短縮率は  2.64％  です↵
入力された周波数に共振するエレメントの長さは  5.179ｍ　です↵
 ↵
 ↵
 ↵
                                        リターンキーを押してください ↵
«»
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«7.05»
                    アンテナの直径は？ｍｍですか↵
«20»
波長短縮率は  3.24％  です↵
入力された周波数に共振するエレメントの長さは 10.293ｍ　です↵
 ↵
 ↵
 ↵
                                        リターンキーを押してください ↵
«»
[screen menu]
«0»
 ↵
[exit 0]
