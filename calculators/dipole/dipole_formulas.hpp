// Formulas of a resonant half-wave dipole: how much shorter than a free-space
// quarter wave each of its two elements must be, set by the conductor's own
// impedance, and the element length that follows. The frequency in MHz, the
// conductor's diameter in millimetres, lengths in metres; 3.14 stands where π
// would. Each function returns its values as stored (rounded to double) at the
// steps where the calculator stores them.
#pragma once

#include "arithmetic/stored.hpp"
#include "calculators/element_impedance.hpp"

namespace DipoleFormulas {

struct Shortening {
  double quarterWaveLengthM;
  double shorteningFactor;   // k, the share by which an element is shorter
  double shorteningPercent;  // 100 k
};

// k = 42.55 ÷ (Z × 3.14), the impedance Z taken for the whole half wave, two
// quarter waves end to end. f = 0 divides by 0 here, and so does a diameter
// of exactly the half wave, whose impedance is 0.
inline Shortening shortening(double frequencyMhz, double elementDiameterMm) {
  const double quarterWaveLengthM = stored(300.0L / Extended{frequencyMhz} / 4.0L);
  const double elementImpedance =
      stored(Antenna::elementImpedance(quarterWaveLengthM, elementDiameterMm));
  const double shorteningFactor = stored(42.55L / (Extended{elementImpedance} * 3.14L));
  const double shorteningPercent = stored(100.0L * Extended{shorteningFactor});
  return {quarterWaveLengthM, shorteningFactor, shorteningPercent};
}

// (1 − k) × ¼ λ: one of the two elements, not the whole dipole.
inline double elementLengthM(const Shortening& shortening) {
  return stored((1.0L - Extended{shortening.shorteningFactor}) * shortening.quarterWaveLengthM);
}

}  // namespace DipoleFormulas
