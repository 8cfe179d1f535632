# A coil 1E-320 mm long (a denormal length) gives a coefficient of -0, shown
# as -0.000. The turns then divide l × L = 1.4E-328, far inside the extended
# range though not the double one, by that -0: a division by zero (200).
[screen menu]
«2»
 ↵
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «30.1»
 ↵
コイルの長さはどれだけですか？(mm)              «1e-320»
 ↵
比　透磁率はいくつですか？　空芯なら１です      «1»
 ↵
 ↵
長岡係数は -0.000です↵
 ↵
希望するインダクタンスを入力してください (uH)↵
                     　巻数から計算するなら　０　を　入力してください   «13.76»
 ↵
Runtime error 200 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 200]
