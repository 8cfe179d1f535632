# Plots of the coil accuracy study. Reads the study tool's data from the
# folder `data` and writes PNG files into the folder `out`, in English or,
# with lang='ja', in Japanese (files named *.ja.png):
#   gnuplot -e "data='DATA'; out='OUT'; lang='en'" plots.gp
ja = exists("lang") && lang eq "ja"
tr(english, japanese) = ja ? japanese : english
png(name) = out."/".name.(ja ? ".ja" : "").".png"
set terminal pngcairo size 900,560 enhanced font tr("DejaVu Sans,11", "IPAPGothic,11") linewidth 1.5
set encoding utf8
set grid xtics ytics mxtics lc rgb "#dddddd"
set logscale x
set xlabel tr("r / l   (coil radius / coil length)", "r / l （コイルの半径 / コイルの長さ）")
set key box opaque
set format x "%g"
set xtics (0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100)

nagaoka = data."/nagaoka.dat"
coils = data."/coils.dat"
family(n) = data."/family-".n.".dat"
grey = "#888888"
noError = tr("no error", "誤差0")

set output png("nagaoka")
set title tr("Nagaoka coefficient: exact value and the program's approximation", \
             "長岡係数：厳密な値とプログラムの近似式")
set ylabel "K"
set xrange [0.05:100]
set yrange [-0.6:1.1]
set key top right
set arrow 1 from 46.085,-0.6 to 46.085,1.1 nohead dt 3 lc rgb grey
set label 1 tr("program's K < 0\nabove r / l = 46.085", "r / l > 46.085 では\nプログラムの K が負") \
    at 40,-0.35 right
plot 0 title "K = 0" lc rgb "#000000" lw 0.5, \
     nagaoka using 1:2 with lines lw 2 lc rgb "#0060c0" title tr("exact (elliptic integrals)", "厳密な値（楕円積分）"), \
     nagaoka using 1:3 with lines lw 2 dt 2 lc rgb "#d03000" \
       title tr("program: 1 / (1 + 0.9 x − 0.02 x²)", "プログラム：1 / (1 + 0.9 x − 0.02 x²)")
unset arrow 1
unset label 1

set output png("nagaoka-error")
set title tr("Error of the program's Nagaoka coefficient (and so of the current-sheet inductance)", \
             "プログラムの長岡係数の誤差（電流シートのインダクタンスの誤差も同じ）")
set ylabel tr("program / exact − 1   (%)", "プログラム / 厳密な値 − 1 （%）")
set xrange [0.05:20]
set yrange [-3:6]
set key top left
set label 2 tr("rises to +25 % at r / l = 20", "r / l = 20 で +25 % まで増える") at 14.5,5.3 right
plot 0 title noError lc rgb "#000000" lw 0.5, \
     1 title "±1 %" dt 3 lc rgb grey, -1 notitle dt 3 lc rgb grey, \
     2 title "±2 %" dt 2 lc rgb grey, -2 notitle dt 2 lc rgb grey, \
     nagaoka using 1:4 with lines lw 2 lc rgb "#d03000" title tr("Nagaoka coefficient", "長岡係数")
unset label 2

# The families of coils, by radius as menu 2 asks for it.
familyTitle(radius, pitch, wire) = tr(sprintf("radius %s mm, pitch %s mm, wire %s mm", radius, pitch, wire), \
                                      sprintf("半径 %s mm、ピッチ %s mm、線径 %s mm", radius, pitch, wire))
turnsUp = tr(", 2 turns and up", "、2巻以上")
tableCoils = tr("the coils of the tables", "表のコイル")

set output png("inductance-error")
set title tr("Error of the program's inductance (pitch and wire typed) against Rosa's exact value", \
             "プログラムのインダクタンスの誤差（ピッチと線径を入力）、ローザの厳密な値と比べて")
set ylabel tr("program / exact − 1   (%)", "プログラム / 厳密な値 − 1 （%）")
set yrange [-4:6]
set key top left
plot 0 title noError lc rgb "#000000" lw 0.5, \
     nagaoka using 1:4 with lines lw 1 lc rgb "#aaaaaa" title tr("Nagaoka coefficient alone", "長岡係数だけの誤差"), \
     family(25) using 1:4 with linespoints pt 7 ps 0.4 lc rgb "#0060c0" title familyTitle("12.7", "1", "0.8").turnsUp, \
     family(50) using 1:4 with linespoints pt 7 ps 0.4 lc rgb "#208020" title familyTitle("25", "2", "1").turnsUp, \
     family(200) using 1:4 with linespoints pt 7 ps 0.4 lc rgb "#a000a0" title familyTitle("100", "2.5", "1.5").turnsUp, \
     coils using 1:2 with points pt 9 ps 1.8 lc rgb "#d03000" title tableCoils

set output png("turns-error")
set title tr("Error of the program's turns for a wanted inductance against the exact turns", \
             "希望のインダクタンスに対するプログラムの巻数の誤差、厳密な巻数と比べて")
set ylabel tr("program / exact − 1   (%)", "プログラム / 厳密な値 − 1 （%）")
set yrange [-4:4]
set label 3 tr("falls to −11 % at r / l = 20", "r / l = 20 で −11 % まで下がる") at 12,-3.6 right
plot 0 title noError lc rgb "#000000" lw 0.5, \
     family(25) using 1:6 with linespoints pt 7 ps 0.4 lc rgb "#0060c0" title familyTitle("12.7", "1", "0.8"), \
     family(50) using 1:6 with linespoints pt 7 ps 0.4 lc rgb "#208020" title familyTitle("25", "2", "1"), \
     family(200) using 1:6 with linespoints pt 7 ps 0.4 lc rgb "#a000a0" title familyTitle("100", "2.5", "1.5"), \
     coils using 1:3 with points pt 9 ps 1.8 lc rgb "#d03000" title tableCoils
