// All of a fuzz target's standard input.
#pragma once

#include <unistd.h>

#include <string>

inline std::string readStandardInput() {
  std::string input;
  char buffer[65536];
  for (ssize_t got; (got = read(STDIN_FILENO, buffer, sizeof buffer)) > 0;) {
    input.append(buffer, static_cast<size_t>(got));
  }
  return input;
}
