# The core permeability multiplies the inductance and divides the square of
# the turns: with 4 the 27 close-wound turns give 39.8336 uH (9.9584 uH with
# an air core), and 10 uH needs 13.53 turns (27.06 with an air core).
[screen menu]
«2»
 ↵
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «10»
 ↵
コイルの長さはどれだけですか？(mm)              «20»
 ↵
比　透磁率はいくつですか？　空芯なら１です      «4»
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
«0»
そのコイルは   39.8336uH です↵
[screen coil_end]
«»
[screen menu]
«2»
 ↵
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «10»
 ↵
コイルの長さはどれだけですか？(mm)              «20»
 ↵
比　透磁率はいくつですか？　空芯なら１です      «4»
 ↵
 ↵
長岡係数は  0.692です↵
 ↵
希望するインダクタンスを入力してください (uH)↵
                     　巻数から計算するなら　０　を　入力してください   «10»
 ↵
この形では   13.53巻　必要です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]
