# Plots of the antenna accuracy study. Reads the study tool's data from the
# folder `data` and writes PNG files into the folder `out`:
#   gnuplot -e "data='DATA'; out='OUT'" antenna_plots.gp
set terminal pngcairo size 900,560 enhanced font "DejaVu Sans,11" linewidth 1.5
set encoding utf8
set grid xtics ytics lc rgb "#dddddd"
set key box opaque

feed(r) = data."/feed-".r.".dat"
blue = "#0060c0"; green = "#208020"; purple = "#a000a0"; red = "#d03000"

# Feed-point impedance, menu 3: program dashed, NEC2 solid, one colour a ratio.
set xlabel "element length (wavelengths)"
set xrange [0.1:0.63]

set output out."/feed-resistance.png"
set title "Feed-point resistance of a monopole: menu 3 (dashed) and NEC2 (solid)"
set ylabel "R (Ω)"
set logscale y
set yrange [1:5000]
set key top left
plot feed(100) using 1:4 with lines lw 2 lc rgb blue title "NEC2, L/D 100", \
     feed(100) using 1:2 with lines lw 2 dt 2 lc rgb blue title "program, L/D 100", \
     feed(1000) using 1:4 with lines lw 2 lc rgb green title "NEC2, L/D 1000", \
     feed(1000) using 1:2 with lines lw 2 dt 2 lc rgb green title "program, L/D 1000", \
     feed(10000) using 1:4 with lines lw 2 lc rgb purple title "NEC2, L/D 10000", \
     feed(10000) using 1:2 with lines lw 2 dt 2 lc rgb purple title "program, L/D 10000"
unset logscale y

set output out."/feed-reactance.png"
set title "Feed-point reactance of a monopole: menu 3 (dashed) and NEC2 (solid)"
set ylabel "X (Ω)"
set yrange [-4000:3000]
set key bottom left
plot 0 notitle lc rgb "#000000" lw 0.5, \
     feed(100) using 1:5 with lines lw 2 lc rgb blue title "NEC2, L/D 100", \
     feed(100) using 1:3 with lines lw 2 dt 2 lc rgb blue title "program, L/D 100", \
     feed(1000) using 1:5 with lines lw 2 lc rgb green title "NEC2, L/D 1000", \
     feed(1000) using 1:3 with lines lw 2 dt 2 lc rgb green title "program, L/D 1000", \
     feed(10000) using 1:5 with lines lw 2 lc rgb purple title "NEC2, L/D 10000", \
     feed(10000) using 1:3 with lines lw 2 dt 2 lc rgb purple title "program, L/D 10000"

set output out."/feed-error.png"
set title "Size of menu 3's error: |Z program − Z NEC2| / |Z NEC2|"
set ylabel "error (%)"
set logscale y
set yrange [1:3000]
set key top left
plot 10 notitle dt 3 lc rgb "#888888", \
     feed(100) using 1:6 with lines lw 2 lc rgb blue title "L/D 100", \
     feed(1000) using 1:6 with lines lw 2 lc rgb green title "L/D 1000", \
     feed(10000) using 1:6 with lines lw 2 lc rgb purple title "L/D 10000"
unset logscale y

# Loading coil, menu 1.
set output out."/loading-coil-error.png"
set title "Error of menu 1's loading coil against the coil that resonates the monopole in NEC2"
set ylabel "program / NEC2 − 1   (%)"
set xrange [0.03:0.23]
set yrange [-20:100]
set key top left
plot 0 notitle lc rgb "#000000" lw 0.5, \
     data."/coil-base-100.dat" using 1:5 with linespoints pt 7 ps 0.4 lc rgb blue title "base, L/D 100", \
     data."/coil-base-1000.dat" using 1:5 with linespoints pt 7 ps 0.4 lc rgb green title "base, L/D 1000", \
     data."/coil-base-10000.dat" using 1:5 with linespoints pt 7 ps 0.4 lc rgb purple title "base, L/D 10000", \
     data."/coil-centre-0.25.dat" using 1:5 with linespoints pt 9 ps 0.8 dt 2 lc rgb "#e08000" title "coil 1/4 of the way up, L/D 1000", \
     data."/coil-centre-0.5.dat" using 1:5 with linespoints pt 9 ps 0.8 dt 2 lc rgb red title "coil half-way up, L/D 1000", \
     data."/coil-centre-0.75.dat" using 1:5 with linespoints pt 9 ps 0.8 dt 2 lc rgb "#802000" title "coil 3/4 of the way up, L/D 1000"

# Efficiency, menu 4.
eff(l) = data."/efficiency-".l.".dat"
set output out."/efficiency.png"
set title "Menu 4's efficiency (dashed) against NEC2's radiation-resistance ratio (solid)"
set xlabel "conductor length L1 + L2 (wavelengths)"
set ylabel "relative to the full-size monopole (dB)"
set xrange [0.03:0.23]
set yrange [-35:1]
set key bottom right
plot 0 notitle lc rgb "#000000" lw 0.5, \
     eff("top") using 1:5 with lines lw 2 lc rgb blue title "NEC2, top hat", \
     eff("top") using 1:3 with linespoints pt 7 ps 0.4 dt 2 lc rgb blue title "program, top loading", \
     eff("centre") using 1:5 with lines lw 2 lc rgb green title "NEC2, coil half-way up", \
     eff("centre") using 1:3 with linespoints pt 7 ps 0.4 dt 2 lc rgb green title "program, centre loading", \
     eff("base") using 1:5 with lines lw 2 lc rgb purple title "NEC2, coil at the base", \
     eff("base") using 1:3 with linespoints pt 7 ps 0.4 dt 2 lc rgb purple title "program, base loading"

# Half-wave dipole, menu 5.
set output out."/dipole.png"
set title "Shortening of a resonant half-wave dipole: menu 5 and NEC2"
set xlabel "wavelength / conductor diameter"
set ylabel "shortening against 300 / f / 4   (%)"
set logscale x
set format x "10^{%L}"
set xrange [200:1e6]
set yrange [0:7]
set key top right
plot data."/dipole.dat" using 1:3 with lines lw 2 lc rgb blue title "NEC2, resonant half-length", \
     data."/dipole.dat" using 1:2 with linespoints pt 7 ps 0.4 dt 2 lc rgb red title "program"
