// What a long check says while it runs: the stage it has come to, the
// segments of the model it solves there and the solver's runs so far. The
// program shows it on a terminal; elsewhere nothing.
#pragma once

#include <functional>

namespace Progress {

enum class Stage {
  segmentSeries,  // the coil that resonates, at one count of the series
  dipole,         // the dipole of two halves, resonated for its deck
  sweeps,         // the sweeps either side of resonance
  helix,          // a run of the coil as wound
};

struct Step {
  Stage stage;
  int segments;
  long runsSoFar;  // of the solver, all stages together
};

using Report = std::function<void(const Step&)>;

}  // namespace Progress
