# Radius 100 mm on 2 mm length in the turns question: the negative coefficient
# gives a negative inductance and no fault.
[screen menu]
«2»
 ↵
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «100»
 ↵
コイルの長さはどれだけですか？(mm)              «2»
 ↵
比　透磁率はいくつですか？　空芯なら１です      «1»
 ↵
 ↵
長岡係数は -0.250です↵
 ↵
希望するインダクタンスを入力してください (uH)↵
                     　巻数から計算するなら　０　を　入力してください   «0»
 ↵
そのコイルは　何巻ありますか？     «27»
 ↵
巻線のピッチ（ｍｍ）を入力してください。密巻なら０です↵
«0»
そのコイルは-3597.4708uH です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]

