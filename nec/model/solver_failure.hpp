// How a run of nec2c can fail. Its absence is told apart from the rest, so
// that a caller can say which package to install.
#pragma once

#include <chrono>
#include <stdexcept>
#include <string>

namespace Nec2 {

// nec2c is not where the host looks for it; the host's words say how to
// install it there.
class SolverMissing : public std::runtime_error {
 public:
  explicit SolverMissing(const std::string& advice) : std::runtime_error(advice) {}
};

class SolverFailed : public std::runtime_error {
 public:
  enum class Cause {
    notRun,            // no temporary folder, or nec2c could not be started
    failed,            // nec2c ended with a status other than 0, or by a signal
    overTimeLimit,     // stopped at the run's time limit
    interrupted,       // stopped by a signal to this process
    incompleteReport,  // exit status 0, but blocks missing from the report
  };
  SolverFailed(Cause cause, const std::string& reason, std::string lastLines);
  Cause cause() const { return cause_; }
  // The last lines that nec2c wrote, to its report and its other output.
  const std::string& lastLines() const { return lastLines_; }

 private:
  Cause cause_;
  std::string lastLines_;
};

// The last count lines of the text that hold more than blanks.
std::string lastLines(const std::string& text, int count);

// What a run of nec2c wrote, wherever it ran.
struct SolverOutput {
  std::string report;    // what nec2c wrote to its output file
  std::string messages;  // what it wrote to its standard output and error
};
// The lines a failure quotes: the last of nec2c's messages and report.
std::string lastLinesOf(const SolverOutput& output);
// How a run that ended with that exit status (not 0) failed.
std::string exitStatusFailure(int status);
// How a run stopped at its own time limit failed, and one stopped at the
// whole check's (wherever the host keeps the time).
std::string runTimeLimitFailure(std::chrono::milliseconds limit);
std::string wholeCheckLimitFailure(std::chrono::milliseconds limit);

}  // namespace Nec2
