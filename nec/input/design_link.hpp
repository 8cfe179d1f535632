// A design as the page's link gives it: "frequency=7.05&length=5&base",
// tanshuku-nec's names without "--", a switch bare, each part as a browser
// may percent-encode it. Refused as the command line refuses the same
// values, and checked by the same checks.
#pragma once

#include <string_view>
#include <variant>

#include "nec/input/design_values.hpp"

namespace DesignLink {

// The checked values of the link, or the first refusal.
std::variant<DesignValues::Values, DesignValues::Error> read(std::string_view link);

}  // namespace DesignLink
