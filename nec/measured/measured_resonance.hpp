// The measured resonance the cut takes, in whichever form the builder gave
// it: the frequency where the reactance rises through zero; the SWR's
// minimum, moved by as much as the model's own minimum lies from its
// resonance (the resistance changes across the band, so the two differ a
// little); or an analyser's file, whose rising resonance nearest the
// design's frequency is the one the loading coil tunes, with its
// resistance.
#pragma once

#include <optional>

#include "nec/measured/measured_figures.hpp"
#include "nec/search/trim.hpp"
#include "nec/search/whole_check.hpp"

namespace MeasuredResonance {

// The measurement as the builder gave it, its values checked: a resonance,
// an SWR minimum or an analyser's file (whose figures come apart); the
// resistance there, the turns wound and what the builder will change.
struct Given {
  std::optional<double> resonanceMhz;
  std::optional<double> swrMinimumMhz;
  std::optional<double> resistanceOhm;
  std::optional<double> turnsWound;
  Trim::Change change;
};

// The file's resonance that the loading coil tunes: where the reactance
// rises through zero, nearest the design's frequency; empty where the file
// shows none.
std::optional<MeasuredFigures::Resonance> tuned(const MeasuredFigures::Figures& file,
                                                double designMhz);

struct Taken {
  Trim::Measured measured;
  // Where the builder gave the SWR's minimum: that frequency.
  std::optional<double> swrMinimumMhz;
};

// The file, where given, must show the resonance the coil tunes.
Taken of(const Given& given, const Checked::Design& design, const WholeCheck::Outcome& checked,
         const std::optional<MeasuredFigures::Figures>& file);

// Where the SWR on 50 ohm is lowest in the check's sweep, as the design's
// feed sees it; empty where the check has no sweep.
std::optional<double> modelSwrMinimumMhz(const Checked::Design& design,
                                         const WholeCheck::Outcome& checked);

}  // namespace MeasuredResonance
