# Radius 100 mm on 2 mm length (r / l = 50): the coefficient is negative and
# shown so; the turns then need the square root of a negative number (207).
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
                     　巻数から計算するなら　０　を　入力してください   «10»
 ↵
Runtime error 207 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 207]
