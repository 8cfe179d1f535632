// The line that tells the user why a measured antenna's Touchstone file is
// refused, in English or Japanese.
#pragma once

#include <string>
#include <string_view>

#include "nec/measured/touchstone.hpp"
#include "nec/texts/messages.hpp"

namespace Touchstone {

// The one line, naming the file and the line, without its line end.
std::string describe(const Error& error, std::string_view file, Messages::Language language);

}  // namespace Touchstone
