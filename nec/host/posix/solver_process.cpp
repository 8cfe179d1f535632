#include "nec/host/posix/solver_process.hpp"

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>

#include "nec/host/posix/child_process.hpp"
#include "nec/host/posix/interruptions.hpp"
#include "nec/host/posix/search_path.hpp"
#include "nec/host/posix/temporary_folder.hpp"
#include "nec/model/solver_failure.hpp"

namespace Nec2 {
namespace {

const char* const kDeckFile = "deck.nec";
const char* const kReportFile = "report.txt";
const char* const kMessagesFile = "messages.txt";

long runs = 0;

// Where the whole check must end, where one is set.
struct WholeCheck {
  std::chrono::steady_clock::time_point deadline;
  std::chrono::milliseconds limit;
};
std::optional<WholeCheck> wholeCheck;

using Cause = SolverFailed::Cause;
using Ending = ChildProcess::Ending;

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (!file) throw SolverFailed(Cause::notRun, "cannot write " + path, "");
}

// nec2c in the folder, reading its deck and writing its report there, its
// other output in the messages file and nothing on its standard input.
ChildProcess::Command solverCommand(const std::string& program, const std::string& folder) {
  return {.program = program,
          .arguments = {"-i", kDeckFile, "-o", kReportFile},
          .folder = folder,
          .readsNothing = true,
          .outputFile = kMessagesFile};
}

// How nec2c's own ending failed, where it exited or was killed by a signal:
// empty when it ended with status 0.
std::string failureOf(const Ending& ending) {
  if (ending.kind == Ending::Kind::signalled) {
    return "nec2c was ended by signal " + std::to_string(ending.number);
  }
  if (ending.number == 0) return "";
  return exitStatusFailure(ending.number);
}

}  // namespace

std::string solverPath() {
  if (const std::optional<std::string> path = SearchPath::find("nec2c")) return *path;
  throw SolverMissing(
      "nec2c is not installed (Debian's package nec2c: sudo apt-get install nec2c)");
}

// Made in this order, so that they go in the reverse one: a signal noted
// is raised again only when the child is gone and the folder removed.
struct StartedSolver::Run {
  Run(const std::string& program, const std::string& deck, std::chrono::milliseconds limit)
      : timeLimit(limit), deadline(std::chrono::steady_clock::now() + limit) {
    if (wholeCheck && wholeCheck->deadline < deadline) {
      deadline = wholeCheck->deadline;
      endsWholeCheck = true;
    }
    writeFile(folder.file(kDeckFile), deck);
    child.emplace(solverCommand(program, folder.path()));
    if (!child->started()) throw SolverFailed(Cause::notRun, "cannot start nec2c", "");
    ++runs;
  }
  Interruptions interruptions;
  TemporaryFolder folder;
  std::chrono::milliseconds timeLimit;
  std::chrono::steady_clock::time_point deadline;
  bool endsWholeCheck = false;  // the whole check's deadline comes first
  std::optional<ChildProcess::Running> child;
};

StartedSolver::StartedSolver(const std::string& deck, std::chrono::milliseconds timeLimit)
    : run_(std::make_unique<Run>(solverPath(), deck, timeLimit)) {}

StartedSolver::~StartedSolver() = default;
StartedSolver::StartedSolver(StartedSolver&&) noexcept = default;

SolverOutput StartedSolver::finish() {
  if (!run_) throw std::logic_error("a started nec2c run is finished once");
  const std::unique_ptr<Run> run = std::move(run_);
  const Ending ending = run->child->wait(run->deadline);
  if (ending.kind == Ending::Kind::lost) {
    throw SolverFailed(Cause::failed, "nec2c's end could not be seen", "");
  }
  SolverOutput output{readFile(run->folder.file(kReportFile)),
                      readFile(run->folder.file(kMessagesFile))};
  // nec2c may have ended by the same signal first (Ctrl-C reaches the
  // terminal's whole foreground group).
  if (ending.kind == Ending::Kind::interrupted || run->interruptions.arrived() != 0) {
    throw SolverFailed(Cause::interrupted,
                       "nec2c was stopped: signal " + std::to_string(run->interruptions.arrived()),
                       lastLinesOf(output));
  }
  if (ending.kind == Ending::Kind::overTimeLimit) {
    throw SolverFailed(Cause::overTimeLimit,
                       run->endsWholeCheck ? wholeCheckLimitFailure(wholeCheck->limit)
                                           : runTimeLimitFailure(run->timeLimit),
                       lastLinesOf(output));
  }
  if (const std::string failure = failureOf(ending); !failure.empty()) {
    throw SolverFailed(Cause::failed, failure, lastLinesOf(output));
  }
  return output;
}

SolverOutput runSolver(const std::string& deck, std::chrono::milliseconds timeLimit) {
  return StartedSolver(deck, timeLimit).finish();
}

long solverRuns() { return runs; }

void limitWholeCheck(std::optional<std::chrono::milliseconds> limit) {
  if (!limit) {
    wholeCheck.reset();
    return;
  }
  wholeCheck = WholeCheck{std::chrono::steady_clock::now() + *limit, *limit};
}

}  // namespace Nec2
