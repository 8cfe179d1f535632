#include "nec/cli/progress_line.hpp"

#include <cstdio>
#include <string>

#include "nec/texts/check_lines.hpp"

namespace {

// The terminal's erase to the end of the line.
constexpr const char* kEraseLine = "\x1b[K";

}  // namespace

ProgressLine::ProgressLine(Messages::Language language, bool onTerminal)
    : language_(language), onTerminal_(onTerminal) {}

ProgressLine::~ProgressLine() {
  if (shown_) std::fprintf(stderr, "\r%s", kEraseLine);
}

Progress::Report ProgressLine::report() const {
  if (!onTerminal_) return {};
  return [this](const Progress::Step& step) { show(step); };
}

void ProgressLine::show(const Progress::Step& step) const {
  std::fprintf(stderr, "\r%s%s", CheckLines::progress(step, language_).c_str(), kEraseLine);
  std::fflush(stderr);
  shown_ = true;
}
