// The program on pipes: the user's input is a pipe or a file.
#pragma once

#include <string>

#include "utf8/child.hpp"

namespace PipeMode {

// Gives the program pipes for its input and output and converts both as
// streams. Returns how the program ended, or run-time error 101 when the
// user's output failed.
Child::Ending run(const std::string& program);

}  // namespace PipeMode
