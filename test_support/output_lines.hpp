// The program's output for a given input, cut into lines at its CR LF line
// ends, for tests that pin the bytes of single lines.
#pragma once

#include <string>
#include <vector>

#include "test_support/process.hpp"

// The last element holds what follows the last line end (usually nothing).
inline std::vector<std::string> outputLines(const std::string& input) {
  std::string output = runProcess(programPath(), input).output;
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = output.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(output.substr(start, end - start));
  }
  lines.push_back(output.substr(start));
  return lines;
}
