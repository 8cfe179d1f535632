// Formulas of a shortened element, treated as a whip over a ground plane, and
// of the loading coil that brings it to resonance: the element's
// characteristic impedance and the coil's inductance for a coil at the base
// or part-way along. Lengths in metres, the element's diameter in
// millimetres, frequencies in MHz, inductances in henries until converted;
// 6.28 and 1.57 stand where 2π and π/2 would. Each function returns its
// values as stored (rounded to double) at the steps where the calculator
// stores them.
#pragma once

#include "arithmetic/maths.hpp"
#include "arithmetic/stored.hpp"
#include "calculators/element_impedance.hpp"

namespace LoadingCoilFormulas {

// The coil at the base of the element.
struct BaseLoading {
  double elementImpedance;  // Z, ohms
  double coilInductanceH;   // X
};

// Kept in the extended format: the length check compares against it unrounded.
inline Extended quarterWaveLengthM(double frequencyMhz) {
  return 300.0L / Extended{frequencyMhz} / 4.0L;
}

// An element longer than a quarter wave is no shortened element, and the
// calculator refuses it; one of exactly a quarter wave passes. f = 0 divides by 0 here, and a
// negative f makes every element of 0 m or more too long.
inline bool elementTooLong(double elementLengthM, double frequencyMhz) {
  return elementLengthM > quarterWaveLengthM(frequencyMhz);
}

// θ = 6.28 L ÷ (300 ÷ f), the electrical length in radians, in (0, 1.57] for
// 0 < L ≤ ¼ λ; X = cos θ × (Z ÷ (6.28 f × 10⁶)) ÷ sin θ, from the stored Z.
inline BaseLoading baseLoading(double elementDiameterMm, double elementLengthM,
                               double frequencyMhz) {
  const double elementImpedance =
      stored(Antenna::elementImpedance(elementLengthM, elementDiameterMm));
  const Extended electricalLength =
      6.28L * Extended{elementLengthM} / (300.0L / Extended{frequencyMhz});
  const double coilInductanceH =
      stored(Arithmetic::cos(electricalLength) *
             (elementImpedance / (6.28L * Extended{frequencyMhz} * 1000000.0L)) /
             Arithmetic::sin(electricalLength));
  return {elementImpedance, coilInductanceH};
}

// A rough estimate for a coil part-way along: the base-loading inductance
// scaled by how far the coil sits from the tip, both as fractions of a
// quarter wave taken afresh. The tip length may exceed the element; 0 divides
// by 0 here.
inline double centreLoadingInductanceH(double baseInductanceH, double elementLengthM,
                                       double frequencyMhz, double tipLengthM) {
  const Extended quarterWave = quarterWaveLengthM(frequencyMhz);
  return stored(Arithmetic::sin(1.57L * (elementLengthM / quarterWave)) * baseInductanceH /
                Arithmetic::sin(1.57L * (tipLengthM / quarterWave)));
}

// Henries to microhenries, (1000 X) × 1000.
inline double coilInductanceUh(double coilInductanceH) {
  return stored(1000.0L * Extended{coilInductanceH} * 1000.0L);
}

}  // namespace LoadingCoilFormulas
