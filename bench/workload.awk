# Writes the answers of a scripted session: `count` calculations in a fixed
# mix of every menu entry (the five calculators and the guide), each with
# its own values, then 0 to end. Every calculation runs to its closing pause
# and back to the menu: no answer is refused or ends the program.
#
#   awk -v count=10000 -f bench/workload.awk > workload.txt
#
# The kinds, in turn:   0 loading coil, base      6 impedance, out of range
#   1 loading coil, centre    7 efficiency, with a guide screen
#   2 coil, turns             8 efficiency, without a guide
#   3 coil, inductance        9 dipole
#   4 coil, help first       10 guide
#   5 impedance

BEGIN {
  if (count == "") count = 10000
  split("3.5 7.05 10.1 14.1 18.1 21.2 24.9 28.5", mhz, " ")
  split("0.3 0.45 0.6 0.75", fraction, " ")
  split("1 2 3 5 10 20", diameterMm, " ")
  split("0.15 0.25 0.35 0.45 0.55", wavelengths, " ")
  split("5 10 15 25", coilRadiusMm, " ")
  split("10 20 40 60", coilLengthMm, " ")
  split("1 5 10 20 40", wantedUh, " ")
  split("5 12 27 40", turns, " ")
  split("1 1.5 2", pitchMm, " ")
  split("0.5 0.8 1", wireMm, " ")
  split("1 2 3 8", bandCount, " ")
  for (i = 0; i < count; ++i) calculation(i)
  print "0"
}

function pick(list, size, i) { return list[1 + i % size] }

function answers(text) { printf "%s\n", text }

function calculation(i,    kind, f, quarterWaveM, lengthM, efficiencyQuarterM) {
  kind = i % 11
  f = pick(mhz, 8, int(i / 11))
  quarterWaveM = 75 / f
  efficiencyQuarterM = 72 / f
  lengthM = sprintf("%.3f", quarterWaveM * pick(fraction, 4, i))
  if (kind == 0) {
    answers("1\n\n" pick(diameterMm, 6, i) "\n" lengthM "\n" f "\nY\n")
  } else if (kind == 1) {
    answers("1\n\n" pick(diameterMm, 6, i) "\n" lengthM "\n" f "\nN\n" \
            sprintf("%.3f", lengthM * 0.4) "\n")
  } else if (kind == 2) {
    answers("2\n" pick(coilRadiusMm, 4, i) "\n" pick(coilLengthMm, 4, i + 1) "\n1\n" \
            pick(wantedUh, 5, i) "\n")
  } else if (kind == 3) {
    answers("2\n" pick(coilRadiusMm, 4, i) "\n" pick(coilLengthMm, 4, i + 2) "\n1\n0\n" \
            pick(turns, 4, i) "\n" pick(pitchMm, 3, i) "\n" pick(wireMm, 3, i) "\n")
  } else if (kind == 4) {
    answers("2\n0\n\n" pick(coilRadiusMm, 4, i) "\n" pick(coilLengthMm, 4, i) "\n1\n" \
            pick(wantedUh, 5, i + 3) "\n")
  } else if (kind == 5) {
    answers("3\n\n" f "\n" sprintf("%.3f", 300 / f * pick(wavelengths, 5, i)) "\n" \
            pick(diameterMm, 6, i) "\n")
  } else if (kind == 6) {
    answers("3\n\n" f "\n" sprintf("%.3f", 300 / f * 0.7) "\n" pick(diameterMm, 6, i) "\n")
  } else if (kind == 7) {
    answers("4\n" pick(bandCount, 4, i) "\n\n" f "\n" \
            sprintf("%.3f", efficiencyQuarterM * 0.1 * (1 + i % 3)) "\n" \
            sprintf("%.3f", efficiencyQuarterM * 0.2) "\n")
  } else if (kind == 8) {
    answers("4\n0\n" f "\n" sprintf("%.3f", efficiencyQuarterM * 0.25) "\n" \
            sprintf("%.3f", efficiencyQuarterM * 0.1 * (i % 4)) "\n")
  } else if (kind == 9) {
    answers("5\n" f "\n" pick(diameterMm, 6, i) "\n")
  } else {
    answers("6\n\n\n")
  }
}
