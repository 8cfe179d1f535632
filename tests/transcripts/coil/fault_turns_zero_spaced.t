# 0 turns with a non-zero pitch: the correction divides by 0 (200) before
# the result line.
[screen menu]
«2»
 ↵
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «10»
 ↵
コイルの長さはどれだけですか？(mm)              «20»
 ↵
比　透磁率はいくつですか？　空芯なら１です      «1»
 ↵
 ↵
長岡係数は  0.692です↵
 ↵
希望するインダクタンスを入力してください (uH)↵
                     　巻数から計算するなら　０　を　入力してください   «0»
 ↵
そのコイルは　何巻ありますか？     «0»
 ↵
巻線のピッチ（ｍｍ）を入力してください。密巻なら０です↵
«1»
巻線の直径（ｍｍ）を入力してください↵
«0.8»
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
