// What tanshuku-nec says while its check runs and where it fails, in the
// user's language: the progress line's words and the one line for each
// failure. The terminal and the page show the same words.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "nec/search/progress.hpp"
#include "nec/texts/messages.hpp"

namespace CheckLines {

// The progress line: the stage, its segments and the nec2c runs so far.
std::string progress(const Progress::Step& step, Messages::Language language);

// The line for a failure of the check (nec2c missing or failing, no coil
// that resonates), with nec2c's last lines where it said any; none for
// another exception, which is no failure of the check's.
std::optional<std::string> failure(const std::exception_ptr& thrown, Messages::Language language);

}  // namespace CheckLines
