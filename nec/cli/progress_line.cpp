#include "nec/cli/progress_line.hpp"

#include <cstdio>
#include <string>

namespace {

using Messages::Language;
using Progress::Stage;

std::string stageText(const Progress::Step& step, Language language) {
  const std::string segments = std::to_string(step.segments);
  const bool english = language == Language::english;
  switch (step.stage) {
    case Stage::segmentSeries: return segments + (english ? " segments" : " セグメント");
    case Stage::dipole:
      return english ? "the dipole, " + segments + " segments"
                     : "ダイポール、" + segments + " セグメント";
    case Stage::sweeps:
      return english ? "sweeps at " + segments + " segments" : "掃引、" + segments + " セグメント";
    case Stage::helix:
      return english ? "the coil as wound, a helix of " + segments + " segments"
                     : "巻いたコイル、" + segments + " セグメントのヘリックス";
  }
  return {};
}

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
  const std::string done = std::to_string(step.runsSoFar);
  const std::string runs = language_ == Language::english ? ", nec2c runs so far: " + done
                                                          : "、nec2c の実行 " + done + " 回済み";
  std::fprintf(stderr, "\rtanshuku-nec: %s%s%s", stageText(step, language_).c_str(), runs.c_str(),
               kEraseLine);
  std::fflush(stderr);
  shown_ = true;
}
