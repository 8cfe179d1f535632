#include "utf8/child.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace Child {
namespace {

volatile sig_atomic_t forwardTo = 0;

void forward(int signal) {
  if (forwardTo > 0) kill(forwardTo, signal);
}

constexpr int kForwardedSignals[] = {SIGINT, SIGQUIT, SIGHUP, SIGTERM};

}  // namespace

void exec(const std::string& program) {
  std::signal(SIGPIPE, SIG_DFL);
  char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
  execv(program.c_str(), argv);
  const int failure = errno;
  complain(program + ": " + std::strerror(failure));
  _exit(failure == ENOENT ? kNotFound : kCannotStart);
}

void forwardSignals(pid_t child) {
  forwardTo = child;
  struct sigaction action {};
  action.sa_handler = forward;
  sigemptyset(&action.sa_mask);
  for (int signal : kForwardedSignals) {
    // A signal ignored by whoever started the front end (a background job's
    // interrupt) stays ignored, as it is for the program.
    struct sigaction inherited {};
    sigaction(signal, nullptr, &inherited);
    if (inherited.sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
  }
}

int exitStatus(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return kCannotStart;
  }
  forwardTo = 0;
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

void complain(const std::string& message) {
  std::string line = "tanshuku-utf8: " + message + "\n";
  // Nothing is left to tell when standard error fails too.
  [[maybe_unused]] ssize_t written = write(STDERR_FILENO, line.data(), line.size());
}

int cannotStart(const std::string& what) {
  complain(what + ": " + std::strerror(errno));
  return kCannotStart;
}

}  // namespace Child
