# Plots of the antenna accuracy study. Reads the study tool's data from the
# folder `data` and writes PNG files into the folder `out`, in English or,
# with lang='ja', in Japanese (files named *.ja.png):
#   gnuplot -e "data='DATA'; out='OUT'; lang='en'" antenna_plots.gp
ja = exists("lang") && lang eq "ja"
tr(english, japanese) = ja ? japanese : english
png(name) = out."/".name.(ja ? ".ja" : "").".png"
font = tr("DejaVu Sans,11", "IPAPGothic,11")
set terminal pngcairo size 900,560 enhanced font font linewidth 1.5
set encoding utf8
set grid xtics ytics lc rgb "#dddddd"
set key box opaque

feed(r) = data."/feed-".r.".dat"
blue = "#0060c0"; green = "#208020"; purple = "#a000a0"; red = "#d03000"; grey = "#888888"
noError = tr("no error", "誤差0")
nec(what) = tr("NEC2, ", "NEC2、").what
program(what) = tr("program, ", "プログラム、").what

# Feed-point impedance, menu 3: program dashed, NEC2 solid, one colour a ratio.
set xlabel tr("element length (wavelengths)", "エレメントの長さ（波長）")
set xrange [0.1:0.63]

set output png("feed-resistance")
set title tr("Feed-point resistance of a monopole: menu 3 (dashed) and NEC2 (solid)", \
             "モノポールの給電点抵抗：メニュー3（破線）とNEC2（実線）")
set ylabel "R (Ω)"
set logscale y
set yrange [1:5000]
set key top left
plot feed(100) using 1:4 with lines lw 2 lc rgb blue title nec("L/D 100"), \
     feed(100) using 1:2 with lines lw 2 dt 2 lc rgb blue title program("L/D 100"), \
     feed(1000) using 1:4 with lines lw 2 lc rgb green title nec("L/D 1000"), \
     feed(1000) using 1:2 with lines lw 2 dt 2 lc rgb green title program("L/D 1000"), \
     feed(10000) using 1:4 with lines lw 2 lc rgb purple title nec("L/D 10000"), \
     feed(10000) using 1:2 with lines lw 2 dt 2 lc rgb purple title program("L/D 10000")
unset logscale y

set output png("feed-reactance")
set title tr("Feed-point reactance of a monopole: menu 3 (dashed) and NEC2 (solid)", \
             "モノポールの給電点リアクタンス：メニュー3（破線）とNEC2（実線）")
set ylabel "X (Ω)"
set yrange [-4000:3000]
set key bottom left
plot 0 title tr("X = 0 (resonance)", "X = 0（共振）") lc rgb "#000000" lw 0.5, \
     feed(100) using 1:5 with lines lw 2 lc rgb blue title nec("L/D 100"), \
     feed(100) using 1:3 with lines lw 2 dt 2 lc rgb blue title program("L/D 100"), \
     feed(1000) using 1:5 with lines lw 2 lc rgb green title nec("L/D 1000"), \
     feed(1000) using 1:3 with lines lw 2 dt 2 lc rgb green title program("L/D 1000"), \
     feed(10000) using 1:5 with lines lw 2 lc rgb purple title nec("L/D 10000"), \
     feed(10000) using 1:3 with lines lw 2 dt 2 lc rgb purple title program("L/D 10000")

set output png("feed-error")
set title tr("Size of menu 3's error: |Z program − Z NEC2| / |Z NEC2|", \
             "メニュー3の誤差の大きさ：|Z プログラム − Z NEC2| / |Z NEC2|")
set ylabel tr("error (%)", "誤差（%）")
set logscale y
set yrange [1:3000]
set key top left
plot 10 title tr("10 % (the introduction's \"about ten percent\")", "10 %（説明画面の「約1割」）") dt 3 lc rgb grey, \
     feed(100) using 1:6 with lines lw 2 lc rgb blue title "L/D 100", \
     feed(1000) using 1:6 with lines lw 2 lc rgb green title "L/D 1000", \
     feed(10000) using 1:6 with lines lw 2 lc rgb purple title "L/D 10000"
unset logscale y

# Loading coil, menu 1.
set output png("loading-coil-error")
set title tr("Error of menu 1's loading coil against the coil that resonates the monopole in NEC2", \
             "メニュー1のローディングコイルの誤差、NEC2でモノポールを共振させるコイルと比べて")
set ylabel tr("program / NEC2 − 1   (%)", "プログラム / NEC2 − 1 （%）")
set xrange [0.03:0.23]
set yrange [-20:100]
set key top left
plot 0 title noError lc rgb "#000000" lw 0.5, \
     data."/coil-base-100.dat" using 1:5 with linespoints pt 7 ps 0.4 lc rgb blue title tr("base, L/D 100", "ベース、L/D 100"), \
     data."/coil-base-1000.dat" using 1:5 with linespoints pt 7 ps 0.4 lc rgb green title tr("base, L/D 1000", "ベース、L/D 1000"), \
     data."/coil-base-10000.dat" using 1:5 with linespoints pt 7 ps 0.4 lc rgb purple title tr("base, L/D 10000", "ベース、L/D 10000"), \
     data."/coil-centre-0.25.dat" using 1:5 with linespoints pt 9 ps 0.8 dt 2 lc rgb "#e08000" title tr("coil 1/4 of the way up, L/D 1000", "コイルが1/4の高さ、L/D 1000"), \
     data."/coil-centre-0.5.dat" using 1:5 with linespoints pt 9 ps 0.8 dt 2 lc rgb red title tr("coil half-way up, L/D 1000", "コイルが中ほど、L/D 1000"), \
     data."/coil-centre-0.75.dat" using 1:5 with linespoints pt 9 ps 0.8 dt 2 lc rgb "#802000" title tr("coil 3/4 of the way up, L/D 1000", "コイルが3/4の高さ、L/D 1000")

# Efficiency, menu 4.
eff(l) = data."/efficiency-".l.".dat"
fullSize = tr("full-size monopole (0 dB)", "フルサイズのモノポール（0 dB）")
set output png("efficiency")
set title tr("Menu 4's efficiency (dashed) against NEC2's radiation-resistance ratio (solid)", \
             "メニュー4の放射効率（破線）とNEC2の放射抵抗の比（実線）")
set xlabel tr("conductor length L1 + L2 (wavelengths)", "導体の長さ L1 + L2（波長）")
set ylabel tr("relative to the full-size monopole (dB)", "フルサイズのモノポールとの比（dB）")
set xrange [0.03:0.23]
set yrange [-35:1]
set key bottom right
plot 0 title fullSize lc rgb "#000000" lw 0.5, \
     eff("top") using 1:5 with lines lw 2 lc rgb blue title nec(tr("top hat", "容量冠")), \
     eff("top") using 1:3 with linespoints pt 7 ps 0.4 dt 2 lc rgb blue title program(tr("top loading", "トップローディング")), \
     eff("centre") using 1:5 with lines lw 2 lc rgb green title nec(tr("coil half-way up", "中ほどのコイル")), \
     eff("centre") using 1:3 with linespoints pt 7 ps 0.4 dt 2 lc rgb green title program(tr("centre loading", "センターローディング")), \
     eff("base") using 1:5 with lines lw 2 lc rgb purple title nec(tr("coil at the base", "ベースのコイル")), \
     eff("base") using 1:3 with linespoints pt 7 ps 0.4 dt 2 lc rgb purple title program(tr("base loading", "ベースローディング"))

# Efficiency for three conductors on two bands: one panel a loading.
conductor(l, d, f) = data.sprintf("/efficiency-%s-%smm-%sMHz.dat", l, d, f)
band(f) = sprintf("%s MHz", f)
set output png("efficiency-conductors")
set terminal pngcairo size 900,1300 enhanced font font linewidth 1.5
set multiplot layout 3,1 title tr("Menu 4 (dashed) against NEC2 for wire of 2 mm and tube of 10 and 40 mm, at 7 and 21 MHz", \
                                  "メニュー4（破線）とNEC2：直径2 mmの線、10 mmと40 mmのパイプ、7 MHzと21 MHz")
panels = "base centre top"
do for [i = 1:3] {
  l = word(panels, i)
  set title (i == 1 ? tr("coil at the base", "ベースのコイル") : i == 2 ? tr("coil half-way up", "中ほどのコイル") : tr("top hat", "容量冠"))
  set yrange [(i == 3 ? -16 : -36):1]
  set key bottom right
  plot 0 title fullSize lc rgb "#000000" lw 0.5, \
       conductor(l, "2", "7") using 1:5 with lines lw 2 lc rgb blue title nec("2 mm, ".band("7")), \
       conductor(l, "2", "21") using 1:5 with lines lw 2 dt 4 lc rgb blue title nec("2 mm, ".band("21")), \
       conductor(l, "10", "7") using 1:5 with lines lw 2 lc rgb green title nec("10 mm, ".band("7")), \
       conductor(l, "10", "21") using 1:5 with lines lw 2 dt 4 lc rgb green title nec("10 mm, ".band("21")), \
       conductor(l, "40", "7") using 1:5 with lines lw 2 lc rgb purple title nec("40 mm, ".band("7")), \
       conductor(l, "40", "21") using 1:5 with lines lw 2 dt 4 lc rgb purple title nec("40 mm, ".band("21")), \
       conductor(l, "10", "7") using 1:3 with linespoints pt 7 ps 0.5 dt 2 lc rgb red title tr("program (any conductor, any band)", "プログラム（導体、バンドによらない）")
}
unset multiplot
set terminal pngcairo size 900,560 enhanced font font linewidth 1.5

# Half-wave dipole, menu 5: the error in the length one cuts, in percent and
# in centimetres of a 7 MHz dipole's element (NEC2's half-length scaled from
# the study's frequency to 7 MHz).
set output png("dipole")
set title tr("Error of menu 5's element length against the resonant half-length in NEC2", \
             "メニュー5のエレメントの長さの誤差、NEC2で共振する片側の長さと比べて")
set xlabel tr("wavelength / conductor diameter", "波長 / 導体の直径")
set ylabel tr("program / NEC2 − 1   (%)", "プログラム / NEC2 − 1 （%）")
set y2label tr("too long by, at 7 MHz (cm)", "7 MHzで長すぎる量（cm）")
set logscale x
set format x "10^{%L}"
set xrange [200:1e6]
set yrange [0:2]
set y2range [0:20]
set ytics nomirror
set y2tics
set key top right
toCentimetresAt7 = 100.0 * 7.5 / 7.0
plot data."/dipole.dat" using 1:6 with linespoints pt 7 ps 0.5 lw 2 lc rgb red title tr("error (%), left scale", "誤差（%）、左の目盛"), \
     data."/dipole.dat" using 1:(($4 - $5) * toCentimetresAt7) axes x1y2 with lines lw 2 dt 2 lc rgb blue \
       title tr("too long at 7 MHz (cm), right scale", "7 MHzで長すぎる量（cm）、右の目盛")
