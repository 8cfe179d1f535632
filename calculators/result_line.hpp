// A result line: a text, a number in fixed-point notation, a text, line end.
#pragma once

#include <string_view>

#include "console/console_io.hpp"

namespace ResultLine {

inline void write(std::string_view text, double value, int width, int decimals,
                  std::string_view unit) {
  ConsoleIo::writeText(text);
  ConsoleIo::writeFixed(value, width, decimals);
  ConsoleIo::writeLine(unit);
}

}  // namespace ResultLine
