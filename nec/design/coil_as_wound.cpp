#include "nec/design/coil_as_wound.hpp"

#include <cmath>
#include <numbers>

#include "arithmetic/stored.hpp"
#include "calculators/coil/coil_formulas.hpp"

namespace CoilAsWound {
namespace {

// Turns are counted in tenths, from one whole turn: below it the round-wire
// correction's 3.8 ÷ N² term takes over and the inductance no longer grows
// with the turns.
constexpr long kTenthsPerTurn = 10;
constexpr long kFewestTenths = kTenthsPerTurn;
// Air core: menu 2's relative permeability.
constexpr double kAirCore = 1.0;

// Millimetres typed into menu 2, held in metres as it holds them.
double metres(double millimetres) { return stored(Extended{millimetres} / 1000.0L); }

// The nearest double to the decimal count, as menu 2 reads it when typed.
double turnsInTenths(long tenths) {
  return static_cast<double>(tenths) / static_cast<double>(kTenthsPerTurn);
}

// The least count of tenths whose inductance reaches the wanted one; the
// inductance grows with the turns.
std::optional<long> tenthsReaching(double wantedInductanceUh, const Measures& measures) {
  long low = kFewestTenths;
  long high = static_cast<long>(kMostTurns) * kTenthsPerTurn;
  if (inductanceUh(measures, turnsInTenths(high)) < wantedInductanceUh) return std::nullopt;
  while (low < high) {
    const long middle = low + (high - low) / 2;
    if (inductanceUh(measures, turnsInTenths(middle)) < wantedInductanceUh) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

}  // namespace

// The coil calculator's inductance mode: radius and length typed in mm and
// stored in metres, the Nagaoka coefficient, the current-sheet inductance,
// the pitch and the wire in metres, then the correction terms A and B and
// the corrected inductance, each stored, and microhenries last.
double inductanceUh(const Measures& measures, double turns) {
  const double radiusM = metres(measures.radiusMm);
  const double lengthM = metres(stored(Extended{turns} * Extended{measures.pitchMm}));
  const double nagaokaCoefficient = stored(CoilFormulas::nagaokaCoefficient(radiusM, lengthM));
  const double currentSheetInductanceH = stored(
      CoilFormulas::currentSheetInductance(radiusM, lengthM, turns, nagaokaCoefficient, kAirCore));
  const double pitchM = metres(measures.pitchMm);
  const double wireDiameterM = metres(measures.wireMm);
  const double correctionA = stored(CoilFormulas::wireCorrectionA(wireDiameterM, pitchM));
  const double correctionB = stored(CoilFormulas::wireCorrectionB(turns));
  const double inductanceH = stored(
      CoilFormulas::wireCorrectedInductance(currentSheetInductanceH, correctionA, correctionB,
                                            radiusM, lengthM, turns, nagaokaCoefficient));
  return stored(Extended{inductanceH} * 1000.0L * 1000.0L);
}

std::optional<Coil> coilFor(double wantedInductanceUh, const Measures& measures,
                            double frequencyMhz) {
  const std::optional<long> reaching = tenthsReaching(wantedInductanceUh, measures);
  if (!reaching) return std::nullopt;
  long tenths = *reaching;
  if (tenths > kFewestTenths) {
    const double over = inductanceUh(measures, turnsInTenths(tenths)) - wantedInductanceUh;
    const double under = wantedInductanceUh - inductanceUh(measures, turnsInTenths(tenths - 1));
    if (under < over) --tenths;
  }
  const double turns = turnsInTenths(tenths);
  const double lengthMm = stored(Extended{turns} * Extended{measures.pitchMm});
  const double inductance = inductanceUh(measures, turns);
  const double capacitancePf = selfCapacitancePf(measures.radiusMm, lengthMm);
  const double selfResonance = resonanceMhz(inductance, capacitancePf);
  return Coil{turns,         lengthMm,      inductance,
              capacitancePf, selfResonance, selfResonance < 3.0 * frequencyMhz};
}

double selfCapacitancePf(double radiusMm, double lengthMm) {
  const double diameterCm = 2.0 * radiusMm / 10.0;
  const double lengthOverDiameter = lengthMm / 10.0 / diameterCm;
  const double h = 0.1126 * lengthOverDiameter + 0.08 + 0.27 / std::sqrt(lengthOverDiameter);
  return h * diameterCm;
}

double resonanceMhz(double inductanceUh, double capacitancePf) {
  return 1.0 / (2.0 * std::numbers::pi * std::sqrt(inductanceUh * 1e-6 * capacitancePf * 1e-12)) /
         1e6;
}

}  // namespace CoilAsWound
