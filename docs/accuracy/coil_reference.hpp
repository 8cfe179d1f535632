// Exact reference values for single-layer solenoids, computed independently of
// the program's own formulas:
//
// - the Nagaoka coefficient of a current sheet from complete elliptic
//   integrals (Lorenz's current-sheet inductance in Nagaoka's arrangement,
//   H. Nagaoka, J. Coll. Sci. Tokyo 27 (1909); F. W. Grover, "Inductance
//   Calculations", 1946);
// - the current-sheet inductance L_s = mu0 pi r^2 N^2 K / l;
// - Rosa's corrections from the current sheet to round wire at pitch p,
//   L = L_s - mu0 r N (G + H) (E. B. Rosa, "Calculation of the self-inductance
//   of single-layer coils", Bulletin of the Bureau of Standards 2, 1906;
//   Grover);
// - as an independent check of Rosa's corrections, the direct sum over the
//   turns taken as coaxial circular rings of round wire: self-inductance of
//   each ring plus Maxwell's mutual inductance of every pair.
//
// Lengths in metres, inductances in henries. Every coil is low-frequency:
// uniform current over the wire's cross-section.
#pragma once

namespace CoilReference {

// mu0 = 4 pi x 10^-7 H/m.
long double magneticConstant();

// Nagaoka's coefficient of a current sheet with radius / length = x, exact.
long double nagaokaCoefficient(long double radiusToLength);

// Inductance of a current sheet of N turns, L_s = mu0 pi r^2 N^2 K / l.
long double currentSheetInductance(long double radiusM, long double lengthM, long double turns);

// Rosa's self-inductance correction G = 5/4 - ln(2p / d).
long double selfInductanceCorrection(long double wireDiameterM, long double pitchM);

// Rosa's mutual-inductance correction H(N) = (2 / N) sum over k < N of
// (N - k) e_k, where e_k = ln(k p / g_k) and g_k is the geometric mean
// distance of two strips of width p whose centres are k p apart. Between
// whole numbers of turns the sum is continued linearly in N, which makes it
// continuous for the turns search.
long double mutualInductanceCorrection(long double turns);

// A round-wire solenoid: N turns at pitch p, so that its current sheet is
// N p long (each turn stands for a strip of width p).
struct Coil {
  long double radiusM;
  long double pitchM;
  long double wireDiameterM;
  long double turns;
  long double lengthM() const { return turns * pitchM; }
};

// Rosa: L = L_s - mu0 r N (G + H).
long double roundWireInductance(const Coil& coil);

// Direct sum over the turns as coaxial rings (whole numbers of turns only):
// N mu0 r (ln(8 r / rho) - 7/4) + 2 sum (N - k) M(k p), rho = d / 2.
long double ringSumInductance(const Coil& coil);

// The turns that a coil of the given radius, length and wire needs for the
// wanted inductance, by bisection on Rosa's L (the pitch is length / N).
long double turnsForInductance(long double wantedInductanceH, long double radiusM,
                               long double lengthM, long double wireDiameterM);

// The turns of a current sheet, N = sqrt(L l / (mu0 pi r^2 K)), no wire.
long double currentSheetTurns(long double wantedInductanceH, long double radiusM,
                              long double lengthM);

}  // namespace CoilReference
