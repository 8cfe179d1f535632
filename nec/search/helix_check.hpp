// The coil as wound, put through nec2c: the helix of menu 2's measures in
// the element in place of the lumped coil, the turns that resonate the
// element at the frequency (found at 40 segments a turn, and at 60, which
// gives the turns reported; the two show how settled they are), the lumped inductance the helix is
// equivalent to there, the Q its wire's conductivity gives it (skin effect
// only: NEC2 knows no proximity effect between turns), and where the coil
// wound with menu 2's turns for NEC2's lumped inductance resonates. Always
// the monopole over perfect ground, as the lumped check is. Throws
// Nec2::SolverMissing or Nec2::SolverFailed where nec2c gives no answer.
#pragma once

#include <optional>
#include <string>

#include "nec/design/design.hpp"
#include "nec/model/helix_element.hpp"
#include "nec/model/report.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/figures.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/progress.hpp"
#include "nec/search/solver_check.hpp"

namespace HelixCheck {

// The finer count per turn changes the turns by less than this share.
inline constexpr double kSettledChange = 0.01;

struct WoundCoil {
  double turns;                // that resonate, at the count per turn
  double finerTurns;           // the same at the finer count; NaN where not found
  int segments;                // of the helix nearest resonance, as its deck has it
  Nec2::Solution atResonance;  // with that helix
  double equivalentUh;         // of menu 2's turns for the lumped coil
  std::optional<double> q;     // at resonance; none for a lossless wire
  std::optional<double> formulaTurnsResonanceMhz;
};

// Whether the helix check is left out for a coil of menu 2's turns for the
// lumped coil, and why: asked to (--lumped); the measures outside NEC2's
// helix (run only where --helix asks, which refuses them earlier); a helix
// beyond the size run by default, unless --helix forces it; beyond the size
// run at all; beyond the device's cap (mostSegments, the page's).
std::optional<Results::HelixNotRun> leftOut(const Checked::Design& design, double formulaTurns,
                                            int mostSegments = HelixLimits::kMostSegments);

// With the design resonated by the lumped check and the turns menu 2 gives
// for its inductance; empty where no turns of the helix that fit in the
// element resonate it.
std::optional<WoundCoil> run(const Checked::Design& design, const SolverCheck::Check& check,
                             double formulaTurns, Nec2::StructureSolver& solver,
                             const Progress::Report& report = {});

// The helix's figures, beside those of the lumped check.
void add(const std::optional<WoundCoil>& wound, const Checked::Design& design,
         Results::Figures& figures);

// The turns reported, to 0.1: the finer count's, where it gave them; they
// differ from the coarser count's by up to a few per cent where the helix
// is not settled.
double reportedTurns(const WoundCoil& wound);

// The element with that helix, as the deck models it.
Nec2::HelixElement elementOf(const SolverCheck::Check& check, const WoundCoil& wound,
                             const Checked::Design& design);

}  // namespace HelixCheck
