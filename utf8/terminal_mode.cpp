#include "utf8/terminal_mode.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "utf8/line_editor.hpp"
#include "utf8/signal_pipe.hpp"
#include "utf8/typed_lines.hpp"
#include "utf8/user_terminal.hpp"
#include "utf8/write_all.hpp"

namespace TerminalMode {
namespace {

// How long the rest of a key, or the terminal's answer to a question, may
// take; and how often a typed line that waits for the program to take the
// one before is tried again.
constexpr int kKeyWaitMilliseconds = 100;
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

bool retryLater(ssize_t result) { return result < 0 && (errno == EAGAIN || errno == EINTR); }

class Session {
 public:
  Session(int master, pid_t child, const termios& programSettings)
      : master_(master),
        child_(child),
        programSettings_(programSettings),
        editor_(user_.columns(), user_.echoes()),
        lines_(static_cast<char>(programSettings.c_cc[VLNEXT]),
               static_cast<char>(programSettings.c_cc[VEOF])) {}
  void run();

 private:
  bool showProgramOutput();
  bool takeKeys();
  void takeSignal(int signal);
  void stop();
  void sendSignalKey(int key, std::string_view shownAs);
  void resize();
  void handOnLines();
  bool programTookItsInput() const;
  void sendToProgram();
  bool showScreen();

  int master_;
  pid_t child_;
  termios programSettings_;
  UserTerminal user_;
  LineEditor editor_;
  TypedLines lines_;
  char piece_[4096];
  std::string toProgram_;
  size_t sent_ = 0;
};

void Session::run() {
  const int signals = SignalPipe::open({SIGINT, SIGQUIT, SIGTSTP, SIGWINCH, SIGHUP, SIGTERM});
  bool going = true;
  while (going && showScreen()) {
    handOnLines();
    const bool sending = sent_ < toProgram_.size();
    const bool lineWaits = !sending && !editor_.handed().empty();
    const int timeout = editor_.awaitsMore() ? kKeyWaitMilliseconds
                        : lineWaits          ? kLineWaitMilliseconds
                                             : -1;
    pollfd ready[] = {
        {master_, static_cast<short>(POLLIN | (sending ? POLLOUT : 0)), 0},
        {STDIN_FILENO, POLLIN, 0},
        {signals, POLLIN, 0},
    };
    const int count = poll(ready, 3, timeout);
    if (count < 0 && errno != EINTR) break;
    if (count == 0 && editor_.awaitsMore()) editor_.timeOut();
    if (count <= 0) continue;
    for (int signal; (signal = SignalPipe::take()) != 0;) takeSignal(signal);
    if ((ready[0].revents & POLLOUT) != 0) sendToProgram();
    if ((ready[0].revents & ~POLLOUT) != 0) going = showProgramOutput();
    if (going && ready[1].revents != 0) going = takeKeys();
  }
  showScreen();
  user_.giveBack();
}

// False when the program's output has ended: its terminal hung up (EIO).
bool Session::showProgramOutput() {
  ssize_t got = read(master_, piece_, sizeof piece_);
  if (retryLater(got)) return true;
  if (got <= 0) {
    editor_.programEnded();
    return false;
  }
  editor_.programOutput({piece_, static_cast<size_t>(got)});
  return true;
}

// False when the user's terminal has hung up.
bool Session::takeKeys() {
  ssize_t got = read(STDIN_FILENO, piece_, sizeof piece_);
  if (retryLater(got)) return true;
  if (got <= 0) return false;
  editor_.keys({piece_, static_cast<size_t>(got)});
  user_.setSignalKeys(!editor_.takesNextKeyLiterally());
  return true;
}

void Session::takeSignal(int signal) {
  switch (signal) {
    case SIGINT: sendSignalKey(VINTR, "^C"); break;
    case SIGQUIT: sendSignalKey(VQUIT, "^\\"); break;
    case SIGTSTP: stop(); break;
    case SIGWINCH: resize(); break;
    default: kill(child_, signal); break;  // a hang-up or termination
  }
}

// The program gets the signal on its own terminal, as its signal key: the
// terminal drops the input it holds, as the user's did.
void Session::sendSignalKey(int key, std::string_view shownAs) {
  editor_.interrupt(shownAs);
  toProgram_.clear();
  sent_ = 0;
  const char byte = static_cast<char>(programSettings_.c_cc[key]);
  writeAll(master_, {&byte, 1});
}

// Ctrl-Z: the program stops with the front end, and the shell gets the
// terminal as it was; once the front end is in the foreground again, both
// go on and the line is drawn again.
void Session::stop() {
  editor_.suspend();
  showScreen();
  kill(child_, SIGSTOP);
  user_.giveBack();
  std::signal(SIGTSTP, SIG_DFL);
  raise(SIGTSTP);
  SignalPipe::open({SIGTSTP});
  user_.takeBackWhenForeground();
  resize();
  kill(child_, SIGCONT);
  editor_.resume();
}

void Session::resize() {
  winsize size{};
  if (ioctl(STDIN_FILENO, TIOCGWINSZ, &size) != 0) return;
  ioctl(master_, TIOCSWINSZ, &size);
  editor_.resize(size.ws_col);
}

// One line at a time, when the program has read all it was given: what it
// has read is then known, and a line typed ahead can still be edited.
void Session::handOnLines() {
  auto& handed = editor_.handed();
  if (sent_ < toProgram_.size() || handed.empty() || !programTookItsInput()) return;
  LineEditor::Handed line = std::move(handed.front());
  handed.pop_front();
  toProgram_.clear();
  sent_ = 0;
  bool whole = !line.cut;
  switch (line.kind) {
    case LineEditor::Handed::Kind::line:
      whole = lines_.add(line.codePage932 + "\n", toProgram_) && whole;
      break;
    case LineEditor::Handed::Kind::unended:
      whole = lines_.add(line.codePage932, toProgram_) && whole;
      lines_.push(toProgram_);
      break;
    case LineEditor::Handed::Kind::endOfInput: lines_.end(toProgram_); break;
  }
  if (!whole) {
    Child::complain("a line longer than " + std::to_string(LineEditor::kLongestLine) +
                    " bytes was cut there");
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

// False when the user's terminal no longer takes output.
bool Session::showScreen() {
  const std::string screen = editor_.takeScreen();
  return writeAll(STDOUT_FILENO, screen);
}

}  // namespace

Child::Ending run(const std::string& program) {
  termios settings = programTerminal();
  winsize size{};
  const bool sized = ioctl(STDIN_FILENO, TIOCGWINSZ, &size) == 0;
  int master = -1;
  pid_t child = forkpty(&master, nullptr, &settings, sized ? &size : nullptr);
  if (child < 0) return Child::cannotStart("a pseudo-terminal for the program");
  if (child == 0) Child::exec(program);
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  {
    Session session(master, child, settings);
    session.run();
  }
  close(master);
  return Child::wait(child);
}

}  // namespace TerminalMode
