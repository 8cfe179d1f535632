# No answer is checked. A diameter beyond the half wave (300 MHz, 1000 mm)
# makes Z and the shortening negative, so the element comes out longer than a
# quarter wave; a negative frequency and diameter give a negative length.
[screen menu]
«5»
 ↵
[screen dipole_intro]
　　　　　　　　　　中心周波数は？ＭＨｚですか↵
«300»
                    アンテナの直径は？ｍｍですか↵
«1000»
波長短縮率は-32.62％  です↵
入力された周波数に共振するエレメントの長さは  0.332ｍ　です↵
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
«-7»
                    アンテナの直径は？ｍｍですか↵
«-2»
波長短縮率は  2.44％  です↵
入力された周波数に共振するエレメントの長さは-10.453ｍ　です↵
 ↵
 ↵
 ↵
                                        リターンキーを押してください ↵
«»
[screen menu]
«0»
 ↵
[exit 0]
