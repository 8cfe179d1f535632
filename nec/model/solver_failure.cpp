#include "nec/model/solver_failure.hpp"

#include <utility>

#include "nec/model/deck.hpp"

namespace Nec2 {

SolverFailed::SolverFailed(Cause cause, const std::string& reason, std::string lastLines)
    : std::runtime_error(reason), cause_(cause), lastLines_(std::move(lastLines)) {}

std::string lastLines(const std::string& text, int count) {
  std::size_t start = text.size();
  int found = 0;
  std::size_t end = text.size();
  while (end > 0 && found < count) {
    std::size_t lineStart = text.rfind('\n', end - 1);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    if (text.find_first_not_of(" \t\r\n", lineStart) < end) {
      start = lineStart;
      ++found;
    }
    end = lineStart == 0 ? 0 : lineStart - 1;
  }
  return text.substr(start);
}

std::string lastLinesOf(const SolverOutput& output) {
  return lastLines(output.messages, 6) + lastLines(output.report, 12);
}

std::string exitStatusFailure(int status) {
  return "nec2c ended with exit status " + std::to_string(status);
}

namespace {

std::string seconds(std::chrono::milliseconds duration) {
  return deckNumber(static_cast<double>(duration.count()) / 1000.0) + " s";
}

}  // namespace

std::string runTimeLimitFailure(std::chrono::milliseconds limit) {
  return "nec2c was stopped at its time limit of " + seconds(limit);
}

std::string wholeCheckLimitFailure(std::chrono::milliseconds limit) {
  return "the check was stopped at its time limit of " + seconds(limit) + " in all";
}

}  // namespace Nec2
