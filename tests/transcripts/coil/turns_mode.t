# A wanted inductance above 0 asks for the turns: 10 uH on a coil of radius
# 10 mm and length 20 mm needs 27.06 turns (no wire correction, no rounding).
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
                     　巻数から計算するなら　０　を　入力してください   «10»
 ↵
この形では   27.06巻　必要です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]
