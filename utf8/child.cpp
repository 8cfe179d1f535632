#include "utf8/child.hpp"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "contract/program_contract.hpp"
#include "utf8/signal_pipe.hpp"

namespace Child {
namespace {

volatile sig_atomic_t forwardTo = 0;

void forward(int signal) {
  if (forwardTo > 0) kill(forwardTo, signal);
}

}  // namespace

void exec(const std::string& program) {
  std::signal(SIGPIPE, SIG_DFL);
  std::signal(SIGXFSZ, SIG_DFL);
  char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
  execv(program.c_str(), argv);
  const int failure = errno;
  complain(program + ": " + std::strerror(failure));
  _exit(failure == ENOENT ? kNotFound : kCannotStart);
}

void forwardSignals(pid_t child) {
  forwardTo = child;
  for (int signal : SignalPipe::kEndingSignals) SignalPipe::catchUnlessIgnored(signal, forward);
}

Ending wait(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return {kCannotStart, 0};
  }
  forwardTo = 0;
  if (WIFSIGNALED(status)) return {0, WTERMSIG(status)};
  return {WEXITSTATUS(status), 0};
}

void endAs(Ending ending) {
  if (ending.signal != 0) {
    // The front end's own core is of no use to anybody.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    std::signal(ending.signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, ending.signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(ending.signal);
    ending.code = 128 + ending.signal;  // a signal that does not end a process
  }
  _exit(ending.code);
}

void complain(const std::string& message) {
  std::string line = "tanshuku-utf8: " + message + "\n";
  // Nothing is left to tell when standard error fails too.
  [[maybe_unused]] ssize_t written = write(STDERR_FILENO, line.data(), line.size());
}

Ending outputFailed(int error) {
  complain(std::string(ProgramContract::kReportStart) +
           std::to_string(ProgramContract::writeFailed) +
           ": standard output took fewer bytes than were written (" + std::strerror(error) + ")");
  return {ProgramContract::writeFailed, 0};
}

Ending cannotStart(const std::string& what) {
  complain(what + ": " + std::strerror(errno));
  return {kCannotStart, 0};
}

}  // namespace Child
