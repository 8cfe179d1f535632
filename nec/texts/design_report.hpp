// What tanshuku-nec says about a design without the solver: menu 1's coil,
// menu 4's figure, Chu's limit, the coil as wound, the segmentation and the
// warnings; and the screen, in the order a builder acts: the design, the
// coil to wind, where menu 1's coil lands, the feed, the bandwidth, the
// efficiency and what it assumes, the figures beside menu 4's and Chu's,
// the model's segments and the warnings (none are made up here: a figure
// not computed is left out).
#pragma once

#include <string>

#include "nec/design/design.hpp"
#include "nec/search/figures.hpp"
#include "nec/texts/messages.hpp"

namespace DesignReport {

// An element beyond this share of a quarter wave is close to resonating on
// its own: the coil is small and the result sensitive to everything.
inline constexpr double kNearResonanceShare = 0.9;

// The figures of a complete, checked design that need no solver.
Results::Figures designFigures(const Checked::Design& design);
// The warnings of the segmentation used: the extended kernel's, judged at
// its finest count; the advice against short segments, at its coarsest
// (finer counts fall below it by design, and the series backs them).
void addSegmentation(const Checked::Design& design, int coarsest, int finest,
                     Results::Figures& figures);
// The inductance to wind: NEC2's where it has run (the middle of its range
// where its series was not extrapolated), else menu 1's.
double coilToWindUh(const Results::Figures& figures);
// With the coil's measures: the coil as wound for that inductance, and
// the turns for either end of NEC2's range where it is not settled.
void addCoilAsWound(const Checked::Design& design, Results::Figures& figures);

// The screen, UTF-8 with LF line ends.
std::string text(const Checked::Design& design, const Results::Figures& figures,
                 Messages::Language language);

}  // namespace DesignReport
