# A radius of 0 or less: a blank line, the help screen, and after Return the
# calculator again from its banner. 1E-321 mm is above 0 as typed but 0 once
# converted to metres, so it leads to the help screen too.
[screen menu]
«2»
 ↵
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «0»
 ↵
[screen coil_help]
«»
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «-3»
 ↵
[screen coil_help]
«»
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «1E-321»
 ↵
[screen coil_help]
«»
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
