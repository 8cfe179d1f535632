#include "utf8/signal_pipe.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace SignalPipe {
namespace {

int ends[2] = {-1, -1};

void note(int signal) {
  const int saved = errno;
  const auto byte = static_cast<char>(signal);
  // A full pipe already holds more signals than the loop can take at once.
  [[maybe_unused]] ssize_t written = write(ends[1], &byte, 1);
  errno = saved;
}

}  // namespace

int open(std::initializer_list<int> signals) {
  if (ends[0] < 0 && pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
  for (int signal : signals) catchUnlessIgnored(signal, note);
  return ends[0];
}

int openForTerminal() {
  open(kEndingSignals);
  return open(kTerminalSignals);
}

void release(std::initializer_list<int> signals) {
  for (int signal : signals) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    if (current.sa_handler == note) std::signal(signal, SIG_DFL);
  }
}

int take() {
  char byte = 0;
  return read(ends[0], &byte, 1) == 1 ? static_cast<unsigned char>(byte) : 0;
}

HeldBack::HeldBack() {
  sigset_t caught;
  sigemptyset(&caught);
  for (int signal : kEndingSignals) sigaddset(&caught, signal);
  for (int signal : kTerminalSignals) sigaddset(&caught, signal);
  sigprocmask(SIG_BLOCK, &caught, &before_);
}

HeldBack::~HeldBack() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

void HeldBack::releaseInChild() const {
  release(kEndingSignals);
  release(kTerminalSignals);
  sigprocmask(SIG_SETMASK, &before_, nullptr);
}

void catchUnlessIgnored(int signal, void (*handler)(int)) {
  struct sigaction inherited {};
  sigaction(signal, nullptr, &inherited);
  if (inherited.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

}  // namespace SignalPipe
