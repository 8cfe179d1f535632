# Wanted 0 asks for the turns: 27 turns at a pitch of 1 mm with 0.8 mm wire
# give 9.7442 uH after the round-wire correction. No blank line follows the
# pitch and diameter answers.
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
そのコイルは　何巻ありますか？     «27»
 ↵
巻線のピッチ（ｍｍ）を入力してください。密巻なら０です↵
«1»
巻線の直径（ｍｍ）を入力してください↵
«0.8»
そのコイルは    9.7442uH です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]
