#include "utf8/terminal_mode.hpp"

#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "utf8/child.hpp"
#include "utf8/relay.hpp"
#include "utf8/typed_lines.hpp"

namespace TerminalMode {
namespace {

// A terminal in its ordinary line mode, less echo (the user's terminal
// echoes), output processing (the program's bytes reach the user as it wrote
// them) and UTF-8 line editing (the lines arrive edited, in code page 932).
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

}  // namespace

int run(const std::string& program) {
  termios settings = programTerminal();
  winsize size{};
  const bool sized = ioctl(STDIN_FILENO, TIOCGWINSZ, &size) == 0;
  int master = -1;
  pid_t child = forkpty(&master, nullptr, &settings, sized ? &size : nullptr);
  if (child < 0) return Child::cannotStart("a pseudo-terminal for the program");
  if (child == 0) Child::exec(program);
  Child::forwardSignals(child);

  termios user{};
  const bool userTypesLines = tcgetattr(STDIN_FILENO, &user) == 0 && (user.c_lflag & ICANON) != 0;
  TypedLines lines(static_cast<char>(settings.c_cc[VLNEXT]),
                   static_cast<char>(settings.c_cc[VEOF]));
  Relay::run({STDIN_FILENO, STDOUT_FILENO, master, master}, {&lines, userTypesLines});
  return Child::exitStatus(child);
}

}  // namespace TerminalMode
