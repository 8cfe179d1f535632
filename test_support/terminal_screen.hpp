// What a terminal shows of the bytes written to it, drawn by a terminal
// emulator (Debian's python3-pyte).
#pragma once

#include <string>

// The screen's rows, each ended by LF, right blanks removed.
std::string terminalScreen(const std::string& bytes, int columns = 80, int rows = 24);
