// Runs of nec2c, each a child process (child_process.hpp): in a private
// temporary folder, where it reads deck.nec and writes report.txt (short
// names, as it needs), with its other output in messages.txt, within a time
// limit, after which it is killed. The child is killed and waited for and
// the folder removed on every way out: a return, an exception, and a signal
// that would end this program (Interruptions), which is raised again once
// they are done.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "nec/model/solver_failure.hpp"

namespace Nec2 {

// nec2c on the search path, as an absolute path; throws SolverMissing.
std::string solverPath();

// Runs nec2c on the deck. Throws SolverMissing when it is not on the search
// path, SolverFailed when it cannot be started, ends with a status other
// than 0 or by a signal, passes the time limit or is interrupted.
SolverOutput runSolver(const std::string& deck, std::chrono::milliseconds timeLimit);

// A run of nec2c started and left to go on while the caller does other
// work, another run included: nec2c uses one core, so two runs at once use
// two. finish() waits for it and gives what runSolver gives, or throws
// what it throws; an unfinished run is killed and its folder removed when
// the object goes. Throws SolverMissing or SolverFailed when it cannot be
// started.
class StartedSolver {
 public:
  StartedSolver(const std::string& deck, std::chrono::milliseconds timeLimit);
  ~StartedSolver();
  StartedSolver(StartedSolver&&) noexcept;
  StartedSolver& operator=(StartedSolver&&) = delete;
  SolverOutput finish();

 private:
  struct Run;
  std::unique_ptr<Run> run_;
};

// The number of nec2c runs started so far by this process.
long solverRuns();

// A time limit for every run from now on, all together (a whole check);
// none lifts it. A run that reaches it is stopped and fails as over its
// time limit, saying that the whole check's limit stopped it.
void limitWholeCheck(std::optional<std::chrono::milliseconds> limit);

}  // namespace Nec2
