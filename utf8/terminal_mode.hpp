// The program on a terminal: the user's input is a terminal.
#pragma once

#include <string>

namespace TerminalMode {

// Gives the program a pseudo-terminal of its own, with echo off and bytes
// taken as bytes, while the user's own terminal, left as it is, edits and
// echoes the lines in UTF-8. Returns the program's exit status.
int run(const std::string& program);

}  // namespace TerminalMode
