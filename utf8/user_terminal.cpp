#include "utf8/user_terminal.hpp"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <string_view>

#include "utf8/signal_pipe.hpp"
#include "utf8/write_all.hpp"

namespace UserTerminal {

namespace {

constexpr std::string_view kBracketedPasteOn = "\x1b[?2004h";
constexpr std::string_view kBracketedPasteOff = "\x1b[?2004l";
constexpr int kForegroundCheckMilliseconds = 50;

// Keys come one at a time and unechoed, Return as CR; the signal keys stay,
// so that Ctrl-C, Ctrl-\ and Ctrl-Z reach the whole foreground job.
termios editing(termios settings) {
  settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | IEXTEN);
  settings.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | ISTRIP);
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  return settings;
}

bool inForeground() {
  const pid_t foreground = tcgetpgrp(STDIN_FILENO);
  // A terminal that hung up has no foreground: the front end goes on to end.
  return foreground < 0 || foreground == getpgrp();
}

// Waits until the shell makes the front end its terminal's foreground job
// again. A job continued in the background (bg) waits here without touching
// the terminal; fg then gives it the terminal without a signal, so the
// terminal is asked now and then.
void waitForForeground() {
  while (!inForeground()) poll(nullptr, 0, kForegroundCheckMilliseconds);
}

}  // namespace

Takeover::Takeover() { takeOver(); }

void Takeover::takeOver() {
  if (tcgetattr(STDIN_FILENO, &own_) != 0) return;
  const termios edited = editing(own_);
  tcsetattr(STDIN_FILENO, TCSADRAIN, &edited);
  writeAll(STDOUT_FILENO, kBracketedPasteOn);
  taken_ = true;
  signalKeys_ = true;
}

void Takeover::setSignalKeys(bool on) {
  if (!taken_ || on == signalKeys_) return;
  termios edited = editing(own_);
  if (!on) edited.c_lflag &= ~static_cast<tcflag_t>(ISIG);
  tcsetattr(STDIN_FILENO, TCSANOW, &edited);
  signalKeys_ = on;
}

std::optional<winsize> windowSize() {
  winsize size{};
  if (ioctl(STDIN_FILENO, TIOCGWINSZ, &size) != 0) return std::nullopt;
  return size;
}

int Takeover::columns() const {
  const std::optional<winsize> size = windowSize();
  return size ? size->ws_col : 0;
}

void Takeover::giveBack() {
  if (!taken_) return;
  taken_ = false;
  writeAll(STDOUT_FILENO, kBracketedPasteOff);
  tcsetattr(STDIN_FILENO, TCSADRAIN, &own_);
}

void Takeover::stopUntilForeground() {
  giveBack();
  SignalPipe::release(SignalPipe::kEndingSignals);
  std::signal(SIGTSTP, SIG_DFL);
  raise(SIGTSTP);
  SignalPipe::open({SIGTSTP});
  waitForForeground();
  // Caught again before the terminal is taken over, so that it is given
  // back on every way out.
  SignalPipe::open(SignalPipe::kEndingSignals);
  takeOver();
}

}  // namespace UserTerminal
