#pragma once

#include <string_view>

// Writes all bytes to the descriptor, waiting where it is non-blocking;
// false when the write fails.
bool writeAll(int descriptor, std::string_view bytes);
