#include "test_support/process.hpp"

#include <cstdlib>

// TANSHUKU_PROGRAM_UNDER_TEST puts another build of the program in this
// one's place (the WebAssembly program under node runs these tests so).
std::string programPath() {
  const char* underTest = std::getenv("TANSHUKU_PROGRAM_UNDER_TEST");
  return underTest != nullptr ? underTest : TANSHUKU_PROGRAM;
}

std::string probePath(const std::string& name) {
  return std::string(TANSHUKU_PROBE_DIR) + "/" + name + TANSHUKU_EXECUTABLE_SUFFIX;
}

InputFeed::InputFeed(const std::string& input, const std::function<void(std::string&)>& moreInput)
    : moreInput_(moreInput), pending_(input) {
  if (pending_.empty()) askForMore();
}

void InputFeed::written(size_t count) {
  pending_.remove_prefix(count);
  if (pending_.empty()) askForMore();
}

void InputFeed::askForMore() {
  if (!moreInput_) return;
  piece_.clear();
  moreInput_(piece_);
  pending_ = piece_;
}
