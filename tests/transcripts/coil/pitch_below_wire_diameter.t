# A pitch smaller than the wire is computed like any other: pitch 0.5 mm,
# wire 0.8 mm give 9.5093 uH.
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
«0.5»
巻線の直径（ｍｍ）を入力してください↵
«0.8»
そのコイルは    9.5093uH です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]
