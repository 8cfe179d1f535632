// The figures that follow from what the solver found, as pure arithmetic:
// the runner hands in its raw results (the resonating inductance at each
// segmentation, the feed impedance at resonance, the power budget's
// efficiency, the sweeps) and this fills the report's figures and the
// warnings of the checks against each other.
#pragma once

#include <complex>
#include <optional>
#include <vector>

#include "nec/design/design.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/figures.hpp"

namespace SolverFigures {

// The matched bandwidth measured on the sweep and the one the slope's Q
// predicts must agree within this fraction.
inline constexpr double kBandwidthAgreement = 0.10;

// NEC2's coil is settled where the range that holds it is within this
// share of it either way.
inline constexpr double kSettledShare = 0.01;

// What the runner found for the monopole over perfect ground (one half of
// the dipole): impedances are the monopole's, doubled here for a dipole.
struct SolverResults {
  std::vector<int> segments;                   // the counts run, halving in turn
  std::vector<double> resonatingInductanceUh;  // at each count
  int runs = 0;                                // nec2c runs in all
  std::complex<double> feedLosslessOhm;        // at resonance, no loss anywhere
  std::complex<double> feedOhm;                // with the coil's and the wire's loss
  double budgetEfficiencyPercent = 100.0;      // the power budget's, with those losses
  double fullSizeResistanceOhm = 0.0;          // a lossless quarter wave's, at the frequency
  std::optional<double> menu1CoilResonanceMhz;
  std::vector<Bandwidth::Point> sweep;          // with losses
  std::vector<Bandwidth::Point> sweepLossless;  // without
};

// A sweep of the monopole as the design's feed sees it: doubled for a
// dipole, with the ground loss in series at a monopole's feed.
std::vector<Bandwidth::Point> feedSweep(const std::vector<Bandwidth::Point>& monopole,
                                        const Checked::Design& design);

// The radiation efficiency of the design from the monopole's power budget
// and feed resistance: a monopole's ground loss, in series at its feed,
// takes its share of the power the budget calls radiated.
double efficiencyWithGroundLoss(double budgetEfficiency, double monopoleFeedOhm,
                                const Checked::Design& design);

// Adds the solver's figures for the design (its ground loss in series at a
// monopole's feed) to those the design alone gave.
void add(const SolverResults& results, const Checked::Design& design, Results::Figures& figures);

}  // namespace SolverFigures
