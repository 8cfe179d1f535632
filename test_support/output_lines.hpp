// The program's output for a given input, cut into lines at its CR LF line
// ends, for tests that pin the bytes of single lines.
#pragma once

#include <string>
#include <vector>

#include "test_support/process.hpp"

// The lines of the menu screen, which every run starts with.
constexpr size_t kMenuLines = 22;

// The bytes cut at each CR LF; the last element holds what follows the last
// line end (usually nothing).
inline std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  lines.push_back(bytes.substr(start));
  return lines;
}

inline std::vector<std::string> outputLines(const std::string& input) {
  return linesOf(runProcess(programPath(), input).output);
}

// count full-width blanks (0x81 0x40), as the screens place their texts with.
inline std::string fullWidthBlanks(size_t count) {
  std::string blanks;
  for (size_t i = 0; i < count; ++i) blanks += "\x81\x40";
  return blanks;
}
