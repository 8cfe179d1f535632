# 1E200 turns: the inductance leaves the double range when it is stored (205),
# before the pitch is asked.
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
そのコイルは　何巻ありますか？     «1E200»
 ↵
Runtime error 205 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 205]
