#include "tests/support/process.hpp"

std::string programPath() { return TANSHUKU_PROGRAM; }

std::string probePath(const std::string& name) {
  return std::string(TANSHUKU_PROBE_DIR) + "/" + name + TANSHUKU_EXECUTABLE_SUFFIX;
}
