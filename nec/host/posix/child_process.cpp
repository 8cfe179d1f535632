#include "nec/host/posix/child_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "nec/host/posix/search_path.hpp"

namespace ChildProcess {
namespace {

// The status of a child that could not become the program, as a shell's.
constexpr int kCannotBecome = 127;

// The longest wait for the child without looking at the signals noted: a
// signal that comes just before a wait is seen at most that late.
constexpr std::chrono::milliseconds kLongestWait{50};
// Where the system has no process descriptors, how often the child is looked
// at: nec2c solves a small deck in a few milliseconds.
constexpr std::chrono::milliseconds kPollInterval{1};

std::optional<std::string> located(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  return SearchPath::find(program);
}

// The file opened as the standard stream: without it the child cannot go on.
void becomeStream(int descriptor, int target) {
  if (descriptor < 0) _exit(kCannotBecome);
  dup2(descriptor, target);
}

void closeSpare(int descriptor) {
  if (descriptor > STDERR_FILENO) close(descriptor);
}

// In the child, which may only make async-signal-safe calls: the program,
// taking every signal as it comes.
[[noreturn]] void become(const char* path, char* const arguments[], const Command& command) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (!command.folder.empty() && chdir(command.folder.c_str()) != 0) _exit(kCannotBecome);
  if (command.readsNothing) {
    const int nothing = open("/dev/null", O_RDONLY);
    becomeStream(nothing, STDIN_FILENO);
    closeSpare(nothing);
  }
  if (!command.outputFile.empty()) {
    const int output = open(command.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    becomeStream(output, STDOUT_FILENO);
    becomeStream(output, STDERR_FILENO);
    closeSpare(output);
  }
  execv(path, arguments);
  _exit(kCannotBecome);
}

}  // namespace

Running::Running(const Command& command) {
  const std::optional<std::string> path = located(command.program);
  if (!path) {
    ending_ = Ending{Ending::Kind::notFound};
    return;
  }
  std::vector<std::string> words{std::filesystem::path(command.program).filename().string()};
  words.insert(words.end(), command.arguments.begin(), command.arguments.end());
  std::vector<char*> arguments;
  arguments.reserve(words.size() + 1);
  for (std::string& word : words) arguments.push_back(word.data());
  arguments.push_back(nullptr);
  pid_ = fork();
  if (pid_ < 0) {
    ending_ = Ending{Ending::Kind::notStarted, errno};
    return;
  }
  if (pid_ == 0) become(path->c_str(), arguments.data(), command);
  started_ = true;
  // Through the system call: the C library's declaration lacks C linkage
  // in some versions.
  descriptor_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
}

Running::~Running() {
  if (pid_ > 0) stop();
  if (descriptor_ >= 0) close(descriptor_);
}

Ending Running::wait(std::chrono::steady_clock::time_point deadline) {
  while (!ending_) {
    int status = 0;
    const pid_t ended = waitpid(pid_, &status, WNOHANG);
    if (ended == pid_) {
      pid_ = -1;
      ending_ = WIFEXITED(status) ? Ending{Ending::Kind::exited, WEXITSTATUS(status)}
                                  : Ending{Ending::Kind::signalled, WTERMSIG(status)};
    } else if (ended < 0 && errno != EINTR) {
      pid_ = -1;  // nothing left to kill
      ending_ = Ending{Ending::Kind::lost};
    } else if (const int signal = held_.arrived(); signal != 0) {
      stop();
      ending_ = Ending{Ending::Kind::interrupted, signal};
    } else if (std::chrono::steady_clock::now() >= deadline) {
      stop();
      ending_ = Ending{Ending::Kind::overTimeLimit};
    } else {
      waitForEnd(deadline);
    }
  }
  return *ending_;
}

// Until the child ends, the deadline or kLongestWait passes, or a signal
// comes.
void Running::waitForEnd(std::chrono::steady_clock::time_point deadline) const {
  using std::chrono::milliseconds;
  const auto left =
      std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
  const milliseconds wait = std::clamp(left + milliseconds{1}, milliseconds{0}, kLongestWait);
  if (descriptor_ >= 0) {
    pollfd end{descriptor_, POLLIN, 0};
    poll(&end, 1, static_cast<int>(wait.count()));
  } else {
    poll(nullptr, 0, static_cast<int>(std::min(wait, kPollInterval).count()));
  }
}

void Running::stop() {
  kill(pid_, SIGKILL);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

Ending run(const Command& command, std::chrono::milliseconds timeLimit) {
  const auto deadline = std::chrono::steady_clock::now() + timeLimit;
  return Running(command).wait(deadline);
}

}  // namespace ChildProcess
