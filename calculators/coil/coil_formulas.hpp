// Formulas of a single-layer solenoid, in metres and henries. Each takes the
// stored (double) values it is built from, widened exactly to the extended
// format so that every step is an extended one, and returns the
// extended-precision result; the caller rounds it where it is stored. Products
// and quotients are evaluated left to right, as written in the equations.
#pragma once

#include <numbers>

#include "arithmetic/maths.hpp"
#include "calculators/ln10.hpp"

namespace CoilFormulas {

// π as the double nearest to it, widened exactly (not the extended value
// nearest to π).
inline constexpr Extended kPi = static_cast<Extended>(std::numbers::pi);

// Nagaoka coefficient K = 1 / (1 + 0.9 x − 0.02 x²) with x = r / l. It turns
// negative for r / l above about 46.085.
inline Extended nagaokaCoefficient(Extended radiusM, Extended lengthM) {
  return 1.0L / ((radiusM * 0.9L / lengthM + 1.0L) - radiusM * 0.02L * radiusM / lengthM / lengthM);
}

// Current-sheet inductance 4π × 10⁻⁷ × π r² N² K μ / l.
inline Extended currentSheetInductance(Extended radiusM, Extended lengthM, Extended turns,
                                       Extended nagaokaCoefficient, Extended relativePermeability) {
  return kPi * 4.0L * kPi * radiusM * radiusM * turns * turns * nagaokaCoefficient / lengthM *
         0.0000001L * relativePermeability;
}

// The current-sheet formula solved for N; no wire, no rounding to whole turns.
inline Extended turnsForInductance(Extended wantedInductanceH, Extended radiusM, Extended lengthM,
                                   Extended nagaokaCoefficient, Extended relativePermeability) {
  return (1.0L / (2.0L * kPi * radiusM)) *
         Arithmetic::sqrt(lengthM * wantedInductanceH * 10000000.0L / nagaokaCoefficient /
                          relativePermeability);
}

// Round-wire correction term A = 2.3 × log10(1.73 d / p); the factor is 2.3,
// the divisor ln 10.
inline Extended wireCorrectionA(Extended wireDiameterM, Extended windingPitchM) {
  return 2.3L * Arithmetic::log(1.73L * wireDiameterM / windingPitchM) / kLn10;
}

// Round-wire correction term B = 0.336 (1 − 2.5 / N + 3.8 / N²).
inline Extended wireCorrectionB(Extended turns) {
  return 0.336L * (1.0L - 2.5L / turns + 3.8L / turns / turns);
}

// The current-sheet inductance corrected for round wire at a given pitch.
inline Extended wireCorrectedInductance(Extended inductanceH, Extended correctionA,
                                        Extended correctionB, Extended radiusM, Extended lengthM,
                                        Extended turns, Extended nagaokaCoefficient) {
  return (1.0L -
          (correctionB + correctionA) * lengthM / (radiusM * kPi * turns * nagaokaCoefficient)) *
         inductanceH;
}

}  // namespace CoilFormulas
