// The cut from a measurement, as tanshuku-nec says it after the design's
// report: what was measured and what the coil acts as, the change to make
// (turns, or the wire above the coil), what one turn and one centimetre move
// the resonance by, and the loss the measured resistance implies.
#pragma once

#include <optional>
#include <string>

#include "nec/design/design.hpp"
#include "nec/measured/measured_cut.hpp"
#include "nec/measured/measured_figures.hpp"
#include "nec/search/figures.hpp"
#include "nec/search/trim.hpp"
#include "nec/texts/messages.hpp"

namespace TrimReport {

// The lines after the design's report; none without a cut. file: the
// analyser's file's name, where the measurement came from one.
std::string text(const Checked::Design& design, const Results::Figures& figures,
                 const std::optional<MeasuredCut::Cut>& cut, const std::optional<std::string>& file,
                 Messages::Language language);

// The members that follow the design's in the JSON object, each with its
// leading comma: "measured", the file's figures, where a file was read;
// "trim", the measurement, the coils it implies, the change, the slopes and
// the loss (null where not asked or not known), where a cut was made.
std::string jsonMembers(const std::optional<MeasuredFigures::Figures>& file,
                        const std::optional<MeasuredCut::Cut>& cut);

}  // namespace TrimReport
