// The two shapes that recur in every calculator: a question after blank
// lines, answered on the prompt's line, and a result line.
#pragma once

#include <string_view>

#include "console/console_io.hpp"

namespace QuestionsAndResults {

// Blank lines, then the prompt; the number is typed behind it and the rest
// of its line is discarded.
inline double ask(std::string_view prompt, int blankLinesBefore = 1) {
  ConsoleIo::writeBlankLines(blankLinesBefore);
  ConsoleIo::writeText(prompt);
  return ConsoleIo::readReal();
}

// A text, the value in fixed-point notation, a text, the line end.
inline void writeResult(std::string_view text, double value, int width, int decimals,
                        std::string_view unit) {
  ConsoleIo::writeText(text);
  ConsoleIo::writeFixed(value, width, decimals);
  ConsoleIo::writeLine(unit);
}

}  // namespace QuestionsAndResults
