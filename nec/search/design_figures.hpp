// What tanshuku-nec says about a design beside the solver's figures:
// menu 1's coil, menu 4's figure, Chu's limit, the segmentation's warnings
// and the coil as wound for the inductance to wind.
#pragma once

#include "nec/design/design.hpp"
#include "nec/search/figures.hpp"

namespace DesignFigures {

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

}  // namespace DesignFigures
