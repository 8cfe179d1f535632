# Plots of the coil accuracy study. Reads the study tool's data from the
# folder `data` and writes PNG files into the folder `out`:
#   gnuplot -e "data='DATA'; out='OUT'" plots.gp
set terminal pngcairo size 900,560 enhanced font "DejaVu Sans,11" linewidth 1.5
set encoding utf8
set grid xtics ytics mxtics lc rgb "#dddddd"
set logscale x
set xlabel "r / l   (coil radius / coil length)"
set key box opaque
set format x "%g"
set xtics (0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100)

nagaoka = data."/nagaoka.dat"
coils = data."/coils.dat"
family(n) = data."/family-".n.".dat"

set output out."/nagaoka.png"
set title "Nagaoka coefficient: exact value and the program's approximation"
set ylabel "K"
set xrange [0.05:100]
set yrange [-0.6:1.1]
set key top right
set arrow 1 from 46.085,-0.6 to 46.085,1.1 nohead dt 3 lc rgb "#888888"
set label 1 "program's K < 0\nabove r / l = 46.085" at 40,-0.35 right
plot 0 notitle lc rgb "#000000" lw 0.5, \
     nagaoka using 1:2 with lines lw 2 lc rgb "#0060c0" title "exact (elliptic integrals)", \
     nagaoka using 1:3 with lines lw 2 dt 2 lc rgb "#d03000" title "program: 1 / (1 + 0.9 x − 0.02 x²)"
unset arrow 1
unset label 1

set output out."/nagaoka-error.png"
set title "Error of the program's Nagaoka coefficient (and so of the current-sheet inductance)"
set ylabel "program / exact − 1   (%)"
set xrange [0.05:20]
set yrange [-3:6]
set key top left
set label 2 "rises to +25 % at r / l = 20" at 14.5,5.3 right
plot 0 notitle lc rgb "#000000" lw 0.5, \
     1 notitle dt 3 lc rgb "#888888", -1 notitle dt 3 lc rgb "#888888", \
     2 notitle dt 2 lc rgb "#888888", -2 notitle dt 2 lc rgb "#888888", \
     nagaoka using 1:4 with lines lw 2 lc rgb "#d03000" title "Nagaoka coefficient"
unset label 2

set output out."/inductance-error.png"
set title "Error of the program's inductance (pitch and wire typed) against Rosa's exact value"
set ylabel "program / exact − 1   (%)"
set yrange [-4:6]
set key top left
plot 0 notitle lc rgb "#000000" lw 0.5, \
     nagaoka using 1:4 with lines lw 1 lc rgb "#aaaaaa" title "Nagaoka coefficient alone", \
     family(25) using 1:4 with linespoints pt 7 ps 0.4 lc rgb "#0060c0" title "25.4 mm, pitch 1 mm, wire 0.8 mm, 2 turns and up", \
     family(50) using 1:4 with linespoints pt 7 ps 0.4 lc rgb "#208020" title "50 mm, pitch 2 mm, wire 1 mm, 2 turns and up", \
     family(200) using 1:4 with linespoints pt 7 ps 0.4 lc rgb "#a000a0" title "200 mm, pitch 2.5 mm, wire 1.5 mm, 2 turns and up", \
     coils using 1:2 with points pt 9 ps 1.8 lc rgb "#d03000" title "the coils of the tables"

set output out."/turns-error.png"
set title "Error of the program's turns for a wanted inductance against the exact turns"
set ylabel "program / exact − 1   (%)"
set yrange [-4:4]
set label 3 "falls to −11 % at r / l = 20" at 12,-3.6 right
plot 0 notitle lc rgb "#000000" lw 0.5, \
     family(25) using 1:6 with linespoints pt 7 ps 0.4 lc rgb "#0060c0" title "25.4 mm, pitch 1 mm, wire 0.8 mm", \
     family(50) using 1:6 with linespoints pt 7 ps 0.4 lc rgb "#208020" title "50 mm, pitch 2 mm, wire 1 mm", \
     family(200) using 1:6 with linespoints pt 7 ps 0.4 lc rgb "#a000a0" title "200 mm, pitch 2.5 mm, wire 1.5 mm", \
     coils using 1:3 with points pt 9 ps 1.8 lc rgb "#d03000" title "the coils of the tables"
