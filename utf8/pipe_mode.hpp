// The program on pipes: the user's input is a pipe or a file.
#pragma once

#include <string>

namespace PipeMode {

// Gives the program pipes for its input and output and converts both as
// streams. Returns the program's exit status.
int run(const std::string& program);

}  // namespace PipeMode
