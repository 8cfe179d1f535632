// A line on standard error that says which stage and which nec2c run a
// long check has come to, overwritten as it goes and cleared at the end:
// on a terminal only, so that pipes and files get nothing of it.
#pragma once

#include "nec/search/progress.hpp"
#include "nec/texts/messages.hpp"

class ProgressLine {
 public:
  ProgressLine(Messages::Language language, bool onTerminal);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // What the checks are handed; empty where nothing is shown.
  Progress::Report report() const;

 private:
  void show(const Progress::Step& step) const;

  Messages::Language language_;
  bool onTerminal_;
  mutable bool shown_ = false;
};
