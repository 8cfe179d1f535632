// The line that tells the user what is wrong with a design's values, the
// command line's or the answers', in English or Japanese.
#pragma once

#include <string>

#include "nec/input/design_values.hpp"
#include "nec/texts/messages.hpp"

namespace DesignValues {

// The one line, without its line end.
std::string describe(const Error& error, Messages::Language language);

}  // namespace DesignValues
