// The prompts that more than one calculator writes with the very same bytes.
// Each calculator keeps the prompts that are its own beside its screens.
#pragma once

#include <string_view>

namespace Prompts {

// The last line of the loading coil and the efficiency calculators: Return
// goes back to the menu.
inline constexpr std::string_view kClosingPressReturn =
    "                                               リターンキーを押してください";

}  // namespace Prompts
