#include "nec/host/posix/interruptions.hpp"

#include <signal.h>

#include <array>
#include <csignal>

namespace Nec2 {
namespace {

constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};

volatile std::sig_atomic_t noted = 0;
int depth = 0;  // the objects alive
std::array<struct sigaction, kSignals.size()> previous;

extern "C" void note(int signal) {
  if (noted == 0) noted = signal;
}

}  // namespace

Interruptions::Interruptions() {
  if (depth++ > 0) return;
  noted = 0;
  struct sigaction action {};
  action.sa_handler = note;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    sigaction(kSignals[i], nullptr, &previous[i]);
    if (previous[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
  }
}

Interruptions::~Interruptions() {
  if (--depth > 0) return;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  if (noted != 0) raise(noted);
}

int Interruptions::arrived() const { return noted; }

}  // namespace Nec2
