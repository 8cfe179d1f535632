# Converted answers are rounded to double before they are compared:
# 1E-318 uH is 0 H, so it selects the turns question, and a pitch of 1E-321 mm
# is 0 m, so the coil counts as close-wound and no wire diameter is asked.
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
                     　巻数から計算するなら　０　を　入力してください   «1E-318»
 ↵
そのコイルは　何巻ありますか？     «27»
 ↵
巻線のピッチ（ｍｍ）を入力してください。密巻なら０です↵
«1E-321»
そのコイルは    9.9584uH です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]
