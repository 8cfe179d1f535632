# A negative wanted inductance selects the turns question like 0 does;
# 0 turns close-wound give 0 uH.
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
                     　巻数から計算するなら　０　を　入力してください   «-5»
 ↵
そのコイルは　何巻ありますか？     «0»
 ↵
巻線のピッチ（ｍｍ）を入力してください。密巻なら０です↵
«0»
そのコイルは    0.0000uH です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]
