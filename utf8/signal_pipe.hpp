// Signals that the front end's loop takes in turn: each one caught arrives
// as a byte on a pipe, which the loop waits on with its other descriptors.
#pragma once

#include <signal.h>

#include <csignal>
#include <initializer_list>

namespace SignalPipe {

// The signals that end a program: an interrupt, quit, hang-up or
// termination.
inline constexpr std::initializer_list<int> kEndingSignals = {SIGINT, SIGQUIT, SIGHUP, SIGTERM};
// The terminal's own: a stop (Ctrl-Z) and a new window size.
inline constexpr std::initializer_list<int> kTerminalSignals = {SIGTSTP, SIGWINCH};

// Catches the signals from now on; returns the pipe's end to wait on.
int open(std::initializer_list<int> signals);
// Catches what a loop on the user's terminal takes, the ending signals and
// the terminal's own; returns the pipe's end.
int openForTerminal();
// The signals caught take their default action again (those ignored stay
// ignored).
void release(std::initializer_list<int> signals);
// The next signal caught, or 0 when none waits.
int take();

// Holds back the signals that the loop catches while a child is started:
// one sent to the child before it is on its own (it shares the front end's
// handlers until then) waits, and then takes its default action there.
class HeldBack {
 public:
  HeldBack();
  ~HeldBack();
  HeldBack(const HeldBack&) = delete;
  HeldBack& operator=(const HeldBack&) = delete;
  // In the child: the signals caught take their default action, and those
  // held back come.
  void releaseInChild() const;

 private:
  sigset_t before_;
};

// Installs the handler for the signal, unless whoever started the front end
// had it ignored (a background job's interrupt): then it stays ignored, as
// it does for the program.
void catchUnlessIgnored(int signal, void (*handler)(int));

}  // namespace SignalPipe
