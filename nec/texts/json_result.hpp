// The results as one JSON object: the inputs, then every figure by the
// name scripts read it by, null where it is absent (not computed, or the
// SWR never reaches 2).
#pragma once

#include <string>
#include <string_view>

#include "nec/design/design.hpp"
#include "nec/search/figures.hpp"

namespace JsonResult {

// The object, on one line with its LF. The options must hold a complete
// design. moreMembers: members to end the object with, each with its
// leading comma.
std::string text(const Checked::Design& inputs, const Results::Figures& figures,
                 std::string_view moreMembers = {});

}  // namespace JsonResult
