#include <stdexcept>

#include "test_support/process.hpp"
#include "test_support/terminal_screen.hpp"

std::string terminalScreen(const std::string& bytes, int columns, int rows) {
  ProcessOptions options;
  options.arguments = {TANSHUKU_TERMINAL_SCREEN, std::to_string(columns), std::to_string(rows)};
  ProcessResult drawn = runProcess("/usr/bin/python3", bytes, options);
  if (drawn.exitCode != 0)
    throw std::runtime_error("the terminal emulator failed: " + drawn.output);
  return drawn.output;
}
