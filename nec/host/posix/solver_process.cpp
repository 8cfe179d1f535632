#include "nec/host/posix/solver_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "nec/host/posix/interruptions.hpp"
#include "nec/host/posix/search_path.hpp"
#include "nec/host/posix/temporary_folder.hpp"
#include "nec/model/deck.hpp"
#include "nec/model/solver_failure.hpp"

namespace Nec2 {
namespace {

const char* const kDeckFile = "deck.nec";
const char* const kReportFile = "report.txt";
const char* const kMessagesFile = "messages.txt";

// The longest wait for the child without looking at the signals noted: a
// signal that comes just before a wait is seen at most that late.
constexpr std::chrono::milliseconds kLongestWait{50};
// Where the system has no process descriptors, how often the child is looked
// at: nec2c solves a small deck in a few milliseconds.
constexpr std::chrono::milliseconds kPollInterval{1};

long runs = 0;

// Where the whole check must end, where one is set.
struct WholeCheck {
  std::chrono::steady_clock::time_point deadline;
  std::chrono::milliseconds limit;
};
std::optional<WholeCheck> wholeCheck;

using Cause = SolverFailed::Cause;

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

// In the child: nec2c in the folder, reading nothing from standard input.
[[noreturn]] void becomeSolver(const char* program, const char* folder, char* const arguments[]) {
  if (chdir(folder) != 0) _exit(127);
  const int nothing = open("/dev/null", O_RDONLY);
  const int messages = open(kMessagesFile, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (nothing < 0 || messages < 0) _exit(127);
  dup2(nothing, STDIN_FILENO);
  dup2(messages, STDOUT_FILENO);
  dup2(messages, STDERR_FILENO);
  execv(program, arguments);
  _exit(127);
}

// A running nec2c, killed and waited for when the object goes before it
// has ended.
class Child {
 public:
  enum class End { exited, overTimeLimit, interrupted };

  Child(const std::string& program, const std::string& folder) {
    std::string words[] = {"nec2c", "-i", kDeckFile, "-o", kReportFile};
    char* arguments[] = {words[0].data(), words[1].data(), words[2].data(),
                         words[3].data(), words[4].data(), nullptr};
    pid_ = fork();
    if (pid_ < 0) throw SolverFailed(Cause::notRun, "cannot start nec2c", "");
    if (pid_ == 0) becomeSolver(program.c_str(), folder.c_str(), arguments);
    ++runs;
    // Readable when the child ends (through the system call: the C
    // library's declaration lacks C linkage in some versions).
    descriptor_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  }
  ~Child() {
    if (pid_ > 0) stop();
    if (descriptor_ >= 0) close(descriptor_);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  End wait(std::chrono::steady_clock::time_point deadline, const Interruptions& interruptions) {
    while (true) {
      const pid_t ended = waitpid(pid_, &status_, WNOHANG);
      if (ended == pid_) {
        pid_ = -1;
        return End::exited;
      }
      if (ended < 0 && errno != EINTR) {
        // Reaped elsewhere (SIGCHLD ignored): there is nothing left to kill.
        pid_ = -1;
        throw SolverFailed(Cause::failed, "nec2c's end could not be seen", "");
      }
      if (interruptions.arrived() != 0) {
        stop();
        return End::interrupted;
      }
      if (std::chrono::steady_clock::now() >= deadline) {
        stop();
        return End::overTimeLimit;
      }
      waitForEnd(deadline);
    }
  }

  // How nec2c ended: empty when it ended with status 0.
  std::string failure() const {
    if (WIFEXITED(status_)) {
      if (WEXITSTATUS(status_) == 0) return "";
      return "nec2c ended with exit status " + std::to_string(WEXITSTATUS(status_));
    }
    return "nec2c was ended by signal " + std::to_string(WTERMSIG(status_));
  }

 private:
  // Until the child ends, the deadline or kLongestWait passes, or a signal
  // comes.
  void waitForEnd(std::chrono::steady_clock::time_point deadline) const {
    using std::chrono::milliseconds;
    const auto left =
        std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    const milliseconds wait = std::clamp(left + milliseconds{1}, milliseconds{0}, kLongestWait);
    pollfd end{descriptor_, POLLIN, 0};
    if (descriptor_ >= 0) {
      poll(&end, 1, static_cast<int>(wait.count()));
    } else {
      poll(nullptr, 0, static_cast<int>(std::min(wait, kPollInterval).count()));
    }
  }

  void stop() {
    kill(pid_, SIGKILL);
    while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }

  pid_t pid_ = -1;
  int descriptor_ = -1;
  int status_ = 0;
};

std::string lastLinesOf(const SolverOutput& output) {
  return lastLines(output.messages, 6) + lastLines(output.report, 12);
}

std::string seconds(std::chrono::milliseconds duration) {
  return deckNumber(static_cast<double>(duration.count()) / 1000.0) + " s";
}

}  // namespace

std::string solverPath() {
  if (const std::optional<std::string> path = SearchPath::find("nec2c")) return *path;
  throw SolverMissing();
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
    child.emplace(program, folder.path());
  }
  Interruptions interruptions;
  TemporaryFolder folder;
  std::chrono::milliseconds timeLimit;
  std::chrono::steady_clock::time_point deadline;
  bool endsWholeCheck = false;  // the whole check's deadline comes first
  std::optional<Child> child;
};

StartedSolver::StartedSolver(const std::string& deck, std::chrono::milliseconds timeLimit)
    : run_(std::make_unique<Run>(solverPath(), deck, timeLimit)) {}

StartedSolver::~StartedSolver() = default;
StartedSolver::StartedSolver(StartedSolver&&) noexcept = default;

SolverOutput StartedSolver::finish() {
  if (!run_) throw std::logic_error("a started nec2c run is finished once");
  const std::unique_ptr<Run> run = std::move(run_);
  const Child::End end = run->child->wait(run->deadline, run->interruptions);
  SolverOutput output{readFile(run->folder.file(kReportFile)),
                      readFile(run->folder.file(kMessagesFile))};
  // nec2c may have ended by the same signal first (Ctrl-C reaches the
  // terminal's whole foreground group).
  if (end == Child::End::interrupted || run->interruptions.arrived() != 0) {
    throw SolverFailed(Cause::interrupted,
                       "nec2c was stopped: signal " + std::to_string(run->interruptions.arrived()),
                       lastLinesOf(output));
  }
  if (end == Child::End::overTimeLimit) {
    throw SolverFailed(
        Cause::overTimeLimit,
        run->endsWholeCheck
            ? "the check was stopped at its time limit of " + seconds(wholeCheck->limit) + " in all"
            : "nec2c was stopped at its time limit of " + seconds(run->timeLimit),
        lastLinesOf(output));
  }
  if (const std::string failure = run->child->failure(); !failure.empty()) {
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
