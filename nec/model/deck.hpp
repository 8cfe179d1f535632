// The NEC2 input deck of a structure: comment cards, a GW card for each
// wire (with GC where its segments are graded; GH and GM for a helix), GE,
// the ground (GN), the kernel (EK), the loads (LD 0, LD 4, and LD 5 for the
// conductivity, all together, since nec2c drops loads that another card
// separates from the next), the source (EX 0, 1 V on the feed
// segment), the frequencies (FR), no current tables (PT -1), XQ and EN.
// Numbers are written in the C locale whatever the user's is (a decimal
// comma would be a field separator to nec2c), to nine significant digits.
#pragma once

#include <string>

#include "nec/model/structure.hpp"

namespace Nec2 {

// The deck, one card a line.
std::string deck(const Structure& structure);

// A number as the deck writes it.
std::string deckNumber(double value);

}  // namespace Nec2
