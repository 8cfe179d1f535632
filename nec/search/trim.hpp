// The cut from one measurement: the antenna as built, measured at its feed,
// put beside the model of its design. The model is calibrated to the
// measured resonance, by the coil's inductance as built or by the length of
// the element above the coil, whichever the builder will change; the
// advice is the change that brings the resonance to the design's frequency,
// with what one turn and one centimetre move it by, and where the measured
// resistance is given, the loss it implies. Always the monopole over
// perfect ground at the check's finest segmentation, as the check's coil.
#pragma once

#include <optional>

#include "nec/design/design.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/whole_check.hpp"

namespace Trim {

// What the builder measured at the feed.
struct Measured {
  double resonanceMhz;                  // where the reactance rises through zero
  std::optional<double> resistanceOhm;  // there
};

// What the builder will change: the coil's turns, or the wire above it.
enum class Change { turns, top };

struct Asked {
  Measured measured;
  Change change;
  std::optional<double> turnsWound;  // none: the turns the check gives
};

// Further than this share from the design's frequency, the antenna as built
// is not the design, and no trim is advised.
inline constexpr double kFarShare = 0.2;

struct Advice {
  bool farFromDesign = false;
  // The lumped coil that resonates the model at the measured frequency,
  // and at the design's: what the coil acts as, and what it must act as.
  std::optional<double> asBuiltInductanceUh;
  double designInductanceUh = 0.0;
  // Where the length changed: how much longer the wire above the coil acts
  // than the design's.
  std::optional<double> asBuiltTopLongerM;
  std::optional<double> turnsWound;
  std::optional<double> turnsChange;  // to 0.1 turn, + for more
  std::optional<double> coilLengthChangeMm;
  std::optional<double> topLengthChangeM;  // to 1 mm, + for longer
  std::optional<double> khzPerTurn;        // one turn more moves the resonance by
  std::optional<double> khzPerCm;          // one centimetre longer moves it by
  std::optional<double> radiationResistanceOhm;
  std::optional<double> lossResistanceOhm;
  std::optional<double> efficiencyPercent;
};

// The advice for a checked design whose element needs a coil (the check's
// results present).
Advice advise(const Checked::Design& design, const WholeCheck::Outcome& checked, const Asked& asked,
              Nec2::StructureSolver& solver);

// The turns the check gives for the design: the helix's where it ran, else
// menu 2's for NEC2's coil; none without the coil's measures.
std::optional<double> checkedTurns(const Results::Figures& figures);

}  // namespace Trim
