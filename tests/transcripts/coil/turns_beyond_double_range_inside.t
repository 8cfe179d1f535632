# A wanted inductance at the top of the double range on a coil 1E300 mm long:
# l × L = 1.8E602 lies far beyond the doubles but inside the extended range,
# and the turns that come out of its square root are stored and printed.
[screen menu]
«2»
 ↵
[screen coil_banner]
コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     «37.4»
 ↵
コイルの長さはどれだけですか？(mm)              «1e300»
 ↵
比　透磁率はいくつですか？　空芯なら１です      «0.5»
 ↵
 ↵
長岡係数は  1.000です↵
 ↵
希望するインダクタンスを入力してください (uH)↵
                     　巻数から計算するなら　０　を　入力してください   «1.7976931348623157e308»
 ↵
この形では 8.06902957435024E+303巻　必要です↵
[screen coil_end]
«»
[screen menu]
«0»
 ↵
[exit 0]
