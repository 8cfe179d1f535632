// The program on a terminal: the user's input is a terminal.
#pragma once

#include <string>

#include "utf8/child.hpp"

namespace TerminalMode {

// Gives the program a pseudo-terminal of its own, in its ordinary line mode
// with echo off, and edits the lines typed on the user's UTF-8 terminal
// itself (utf8/line_editor.hpp). Returns how the program ended, with the
// user's terminal as it was.
Child::Ending run(const std::string& program);

}  // namespace TerminalMode
