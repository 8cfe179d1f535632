#include "utf8/terminal_mode.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "utf8/going_back.hpp"
#include "utf8/line_editor.hpp"
#include "utf8/signal_pipe.hpp"
#include "utf8/terminal_lines.hpp"
#include "utf8/typed_lines.hpp"
#include "utf8/user_terminal.hpp"
#include "utf8/write_all.hpp"

namespace TerminalMode {
namespace {

// How often the program's terminal is looked at while a line waits for the
// program to take the one before: a pseudo-terminal tells no one when its
// input queue empties.
constexpr int kLineWaitMilliseconds = 5;

// A terminal in its ordinary line mode, less echo (the front end echoes),
// output processing (the program's bytes reach the user as it wrote them)
// and UTF-8 line editing (the lines arrive edited, in code page 932).
termios programTerminal() {
  termios settings{};
  settings.c_cflag = CS8 | CREAD;
  settings.c_lflag = ICANON | ISIG | IEXTEN;
  settings.c_cc[VINTR] = 0x03;
  settings.c_cc[VQUIT] = 0x1C;
  settings.c_cc[VERASE] = 0x7F;
  settings.c_cc[VKILL] = 0x15;
  settings.c_cc[VEOF] = 0x04;
  settings.c_cc[VSUSP] = 0x1A;
  settings.c_cc[VLNEXT] = 0x16;
  settings.c_cc[VWERASE] = 0x17;
  settings.c_cc[VREPRINT] = 0x12;
  settings.c_cc[VMIN] = 1;
  cfsetspeed(&settings, B38400);
  return settings;
}

const termios kProgramSettings = programTerminal();

// The program on a pseudo-terminal of its own, started again as often as
// the user goes back, with the user's terminal taken over throughout.
class Session final : private TerminalLines::Client {
 public:
  explicit Session(const std::string& program)
      : program_(program),
        user_(*this),
        runs_(user_.columns(), user_.echoes()),
        lines_(static_cast<char>(kProgramSettings.c_cc[VLNEXT]),
               static_cast<char>(kProgramSettings.c_cc[VEOF])) {}
  Child::Ending run();

 private:
  // What the user's terminal brings.
  LineEditing::Editor& editor() override { return runs_.editor(); }
  void keys(std::string_view bytes) override { runs_.keys(bytes); }
  void stopping() override;
  void continuing() override;
  void resized(const winsize& size) override;

  bool start();
  void endRun();
  bool waitForNews(const GoingBack::Step& wait);
  bool showProgramOutput();
  void signalRun(int signal);
  void handOn(const LineEditing::HandedLine& line);
  bool programTookItsInput() const;
  void sendToProgram();

  const std::string& program_;
  TerminalLines::Host user_;
  GoingBack::Runs runs_;
  LineDiscipline::TypedLines lines_;
  int master_ = -1;  // while a run of the program is under way
  pid_t child_ = -1;
  std::string toProgram_;
  size_t sent_ = 0;
  char piece_[4096];
};

GoingBack::Time now() {
  return std::chrono::duration_cast<GoingBack::Time>(
      std::chrono::steady_clock::now().time_since_epoch());
}

Child::Ending Session::run() {
  bool going = true;
  while (going && user_.showScreen()) {
    const GoingBack::Step step = runs_.next(now());
    using Kind = GoingBack::Step::Kind;
    if (step.kind == Kind::end) break;
    switch (step.kind) {
      case Kind::startRun:
        if (!start()) return Child::cannotStart("a pseudo-terminal for the program");
        break;
      case Kind::handOnLine: handOn(step.line); break;
      case Kind::signalRun: signalRun(step.signal); break;
      default: going = waitForNews(step); break;
    }
  }
  user_.showScreen();
  // The user's terminal hung up, or a refused replay left a run going.
  if (master_ >= 0) endRun();
  user_.giveBack();
  return user_.outputError() != 0 ? Child::outputFailed(user_.outputError()) : runs_.ending();
}

bool Session::start() {
  termios settings = kProgramSettings;
  const std::optional<winsize> size = UserTerminal::windowSize();
  const SignalPipe::HeldBack heldBack;
  child_ = forkpty(&master_, nullptr, &settings, size ? &*size : nullptr);
  if (child_ < 0) return false;
  if (child_ == 0) {
    heldBack.releaseInChild();
    Child::exec(program_);
  }
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  toProgram_.clear();
  sent_ = 0;
  return true;
}

// Closing its terminal hangs up a program still running; the one that
// ended is waited for.
void Session::endRun() {
  close(master_);
  master_ = -1;
  const Child::Ending ending = Child::wait(child_);
  child_ = -1;
  runs_.programEnded(ending);
}

// Until keys, output, the program's end or a signal come, or the time the
// dialogue asks again; a line that waits goes once the program has taken
// its input. False when the user's terminal has hung up.
bool Session::waitForNews(const GoingBack::Step& wait) {
  const bool writing = master_ >= 0 && sent_ < toProgram_.size();
  if (wait.lineWaits && master_ >= 0 && !writing && programTookItsInput()) {
    runs_.programReads();
    return true;
  }
  int timeout = -1;
  if (wait.until) {
    timeout = static_cast<int>(std::max<GoingBack::Time::rep>(0, (*wait.until - now()).count()));
  }
  if (wait.lineWaits && master_ >= 0 && !writing) {
    timeout = timeout < 0 ? kLineWaitMilliseconds : std::min(timeout, kLineWaitMilliseconds);
  }
  pollfd ready[] = {
      {master_, static_cast<short>(POLLIN | (writing ? POLLOUT : 0)), 0},
      user_.keysToWaitFor(),
      user_.signalsToWaitFor(),
  };
  const int count = poll(ready, 3, timeout);
  if (count < 0 && errno != EINTR) return false;
  if (count <= 0) return true;
  // Ctrl-Z and a new window size are the terminal's own; the signals that
  // end a program are the dialogue's to decide on.
  for (int signal; (signal = user_.nextEndingSignal()) != 0;) runs_.signal(signal);
  if ((ready[0].revents & POLLOUT) != 0) sendToProgram();
  if ((ready[0].revents & ~POLLOUT) != 0 && !showProgramOutput()) endRun();
  return ready[1].revents == 0 || user_.takeKeys();
}

// False when the program's output has ended: its terminal hung up (EIO).
bool Session::showProgramOutput() {
  ssize_t got = read(master_, piece_, sizeof piece_);
  if (retryLater(got)) return true;
  if (got <= 0) return false;
  runs_.programOutput({piece_, static_cast<size_t>(got)});
  return true;
}

// Ctrl-C and Ctrl-\ reach the program on its own terminal, as its signal
// keys: the terminal drops the input it holds, as the user's did. A
// hang-up or termination is passed on as it came. A program that someone
// else stopped takes the signal only once continued, as a shell's kill
// continues a stopped job. A run just started may not have its terminal
// yet (no foreground on it), and then the key would reach no one: it gets
// the signal itself.
void Session::signalRun(int signal) {
  const bool keyReachesIt = tcgetpgrp(master_) > 0;
  if ((signal == SIGINT || signal == SIGQUIT) && keyReachesIt) {
    toProgram_.clear();
    sent_ = 0;
    const char byte = static_cast<char>(kProgramSettings.c_cc[signal == SIGINT ? VINTR : VQUIT]);
    writeAll(master_, {&byte, 1});
  } else {
    kill(child_, signal);
  }
  kill(child_, SIGCONT);
}

// Ctrl-Z: the program stops with the front end, and both go on once the
// front end is in the foreground again. A signal that ends the front end
// meanwhile hangs up the program's terminal, which ends the program,
// stopped or not.
void Session::stopping() {
  if (child_ > 0) kill(child_, SIGSTOP);
}

void Session::continuing() {
  if (child_ > 0) kill(child_, SIGCONT);
}

void Session::resized(const winsize& size) {
  if (master_ >= 0) ioctl(master_, TIOCSWINSZ, &size);
}

// One line at a time, when the program has read all it was given: what it
// has read is then known, and a line typed ahead can still be edited.
void Session::handOn(const LineEditing::HandedLine& line) {
  toProgram_.clear();
  sent_ = 0;
  bool whole = !line.cut;
  switch (line.kind) {
    case LineEditing::HandedLine::Kind::line:
      whole = lines_.add(line.codePage932 + "\n", toProgram_) && whole;
      break;
    case LineEditing::HandedLine::Kind::unended:
      whole = lines_.add(line.codePage932, toProgram_) && whole;
      lines_.push(toProgram_);
      break;
    case LineEditing::HandedLine::Kind::endOfInput: lines_.end(toProgram_); break;
  }
  if (!whole) {
    Child::complain(LineEditing::cutLineNotice());
  }
  sendToProgram();
}

// Whether the input queue of the program's terminal is empty.
bool Session::programTookItsInput() const {
  char name[64];
  if (ptsname_r(master_, name, sizeof name) != 0) return true;
  const int terminal = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (terminal < 0) return true;
  int queued = 0;
  ioctl(terminal, FIONREAD, &queued);
  close(terminal);
  return queued == 0;
}

void Session::sendToProgram() {
  ssize_t put = write(master_, toProgram_.data() + sent_, toProgram_.size() - sent_);
  if (retryLater(put)) return;
  if (put < 0) {  // the program has gone: its output's end follows
    toProgram_.clear();
    sent_ = 0;
    return;
  }
  sent_ += static_cast<size_t>(put);
}

}  // namespace

Child::Ending run(const std::string& program) {
  Session session(program);
  return session.run();
}

}  // namespace TerminalMode
