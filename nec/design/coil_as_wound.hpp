// The loading coil as it is wound: menu 2's measures (the radius to the
// wire's centre, the pitch and the wire), the turns that give an inductance
// by menu 2's own formulas with its round-wire correction, the coil's
// length, and the coil's self-resonance from Medhurst's self-capacitance.
#pragma once

#include <optional>

namespace CoilAsWound {

struct Measures {
  double radiusMm;
  double pitchMm;
  double wireMm;
};

// The inductance in microhenries that menu 2 shows for a coil of these
// measures with the given turns, its length being turns × pitch: the coil
// calculator's own steps and roundings, air core.
double inductanceUh(const Measures& measures, double turns);

struct Coil {
  double turns;         // to 0.1
  double lengthMm;      // turns × pitch
  double inductanceUh;  // menu 2's figure for those turns
  double selfCapacitancePf;
  double selfResonanceMhz;
  // The self-resonance is below three times the working frequency: the coil
  // no longer acts as a plain inductance there.
  bool selfResonanceTooLow;
};

// The turns, to 0.1, whose coil comes closest to the wanted inductance;
// empty where no coil of up to kMostTurns turns reaches it.
inline constexpr double kMostTurns = 10000.0;
std::optional<Coil> coilFor(double wantedInductanceUh, const Measures& measures,
                            double frequencyMhz);

// Medhurst: C = H · D pF with D the coil's diameter in cm and
// H = 0.1126 l/D + 0.08 + 0.27 ÷ √(l/D).
double selfCapacitancePf(double radiusMm, double lengthMm);
// f = 1 ÷ (2π √(L C)).
double resonanceMhz(double inductanceUh, double capacitancePf);

}  // namespace CoilAsWound
