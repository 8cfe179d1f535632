// What tanshuku-nec warns of: each warning's code, which the JSON object
// lists, and its words on the screen in either language. The switches that
// give them have no default, so that a new warning without words does not
// compile.
#pragma once

#include <string>
#include <string_view>

#include "nec/search/figures.hpp"
#include "nec/texts/messages.hpp"

namespace Warnings {

using Results::Warning;

std::string_view code(Warning warning);

// The words of the screen, without "Warning: " and the line end; the
// figures the words name are the figures'.
std::string words(Warning warning, const Results::Figures& figures, Messages::Language language);

}  // namespace Warnings
