// tanshuku-nec's screen, in the order a builder acts: the design, the coil
// to wind, where menu 1's coil lands, the feed, the bandwidth, the
// efficiency and what it assumes, the figures beside menu 4's and Chu's,
// the model's segments and the warnings (none are made up here: a figure
// not computed is left out).
#pragma once

#include <string>
#include <vector>

#include "nec/design/design.hpp"
#include "nec/search/figures.hpp"
#include "nec/texts/messages.hpp"

namespace DesignReport {

// The screen, UTF-8 with LF line ends.
std::string text(const Checked::Design& design, const Results::Figures& figures,
                 Messages::Language language);

// What the page says beyond the screen: that a helix beyond its device's
// cap was left out, the answer the lumped coil's.
std::vector<std::string> pageNotes(const Results::Figures& figures, Messages::Language language);

}  // namespace DesignReport
