#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "test_support/interactive.hpp"

InteractiveProcess::InteractiveProcess(const std::string& program, Terminal terminal,
                                       const std::vector<std::string>& arguments) {
  signal(SIGPIPE, SIG_IGN);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  if (terminal != Terminal::none) {
    int master = -1;
    termios raw{};
    cfmakeraw(&raw);
    // A new terminal's own settings are a user's line mode.
    child_ = forkpty(&master, nullptr, terminal == Terminal::pseudo ? &raw : nullptr, nullptr);
    if (child_ < 0) throw std::runtime_error("forkpty failed");
    if (child_ == 0) {
      termios settings{};
      if (terminal != Terminal::pseudo && tcgetattr(STDIN_FILENO, &settings) == 0) {
        if (terminal == Terminal::linesWithoutUtf8) {
          settings.c_iflag &= ~static_cast<tcflag_t>(IUTF8);
        } else {
          settings.c_iflag |= IUTF8;
        }
        if (terminal == Terminal::linesWithoutEcho)
          settings.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &settings);
        // As a shell starts a job, whatever the tests were started with.
        for (int signal : {SIGINT, SIGQUIT, SIGHUP, SIGTERM}) std::signal(signal, SIG_DFL);
      }
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    input_ = master;
    output_ = dup(master);
    return;
  }
  int inPipe[2], outPipe[2];
  if (pipe2(inPipe, O_CLOEXEC) != 0 || pipe2(outPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  child_ = fork();
  if (child_ < 0) throw std::runtime_error("fork failed");
  if (child_ == 0) {
    dup2(inPipe[0], STDIN_FILENO);
    dup2(outPipe[1], STDOUT_FILENO);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(inPipe[0]);
  close(outPipe[1]);
  input_ = inPipe[1];
  output_ = outPipe[0];
}

InteractiveProcess::~InteractiveProcess() {
  if (input_ >= 0) close(static_cast<int>(input_));
  if (output_ >= 0) close(static_cast<int>(output_));
  if (child_ > 0) {
    kill(static_cast<pid_t>(child_), SIGKILL);
    waitpid(static_cast<pid_t>(child_), nullptr, 0);
  }
}

// Appends what arrives within timeoutMilliseconds; false when nothing did or
// the output closed (a pseudo-terminal reports EIO then).
bool InteractiveProcess::readSome(std::string& text, int timeoutMilliseconds) {
  pollfd ready{static_cast<int>(output_), POLLIN, 0};
  if (poll(&ready, 1, timeoutMilliseconds) <= 0) return false;
  char buffer[4096];
  ssize_t got = read(static_cast<int>(output_), buffer, sizeof buffer);
  if (got <= 0) return false;
  text.append(buffer, static_cast<size_t>(got));
  return true;
}

void InteractiveProcess::send(const std::string& bytes) {
  if (write(static_cast<int>(input_), bytes.data(), bytes.size()) !=
      static_cast<ssize_t>(bytes.size())) {
    throw std::runtime_error("write to the program failed");
  }
}

void InteractiveProcess::closeInput() {
  close(static_cast<int>(input_));
  input_ = -1;
}

void InteractiveProcess::hangUp() {
  closeInput();
  close(static_cast<int>(output_));
  output_ = -1;
}

termios InteractiveProcess::terminalSettings() const {
  termios settings{};
  if (tcgetattr(static_cast<int>(output_), &settings) != 0) throw std::runtime_error("no terminal");
  return settings;
}

void InteractiveProcess::setTerminalSettings(const termios& settings) {
  if (tcsetattr(static_cast<int>(output_), TCSANOW, &settings) != 0) {
    throw std::runtime_error("no terminal");
  }
}

void InteractiveProcess::setWindowSize(int rows, int columns) {
  winsize size{};
  size.ws_row = static_cast<unsigned short>(rows);
  size.ws_col = static_cast<unsigned short>(columns);
  if (ioctl(static_cast<int>(output_), TIOCSWINSZ, &size) != 0) {
    throw std::runtime_error("no terminal");
  }
}

bool InteractiveProcess::hasEnded() {
  int status = 0;
  if (endedStatus_ < 0 && waitpid(static_cast<pid_t>(child_), &status, WNOHANG) > 0) {
    endedStatus_ = status;
    child_ = -1;
  }
  return endedStatus_ >= 0;
}

int InteractiveProcess::wait() {
  int status = endedStatus_;
  const auto child = static_cast<pid_t>(child_);
  for (int tries = 0; status < 0 && waitpid(child, &status, WNOHANG) == 0; ++tries) {
    if (tries == 3000) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
    usleep(10000);
  }
  child_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}
