#include "utf8/terminal_lines.hpp"

#include <cerrno>
#include <csignal>
#include <optional>
#include <string>

#include "utf8/signal_pipe.hpp"
#include "utf8/write_all.hpp"

namespace TerminalLines {

Host::Host(Client& client) : client_(client), signals_(SignalPipe::openForTerminal()) {}

bool Host::takeKeys() {
  const ssize_t got = read(STDIN_FILENO, piece_, sizeof piece_);
  if (retryLater(got)) return true;
  if (got <= 0) return false;
  client_.keys({piece_, static_cast<size_t>(got)});
  terminal_.setSignalKeys(!client_.editor().takesNextKeyLiterally());
  return true;
}

int Host::nextEndingSignal() {
  for (int signal; (signal = SignalPipe::take()) != 0;) {
    if (signal == SIGTSTP) {
      stop();
    } else if (signal == SIGWINCH) {
      resize();
    } else {
      return signal;
    }
  }
  return 0;
}

bool Host::showScreen() {
  const std::string screen = client_.editor().takeScreen();
  if (writeAll(STDOUT_FILENO, screen)) return true;
  if (errno != EIO && outputError_ == 0) outputError_ = errno;
  return false;
}

// Ctrl-Z: the shell gets the terminal as it was until the program is in
// the foreground again; then the question and the line are drawn again.
void Host::stop() {
  LineEditing::Editor& editor = client_.editor();
  editor.suspend();
  showScreen();
  client_.stopping();
  terminal_.stopUntilForeground();
  resize();
  client_.continuing();
  editor.resume();
}

void Host::resize() {
  const std::optional<winsize> size = UserTerminal::windowSize();
  if (!size) return;
  client_.resized(*size);
  client_.editor().resize(size->ws_col);
}

}  // namespace TerminalLines
