// A program run step by step: the test reads what it has written so far,
// types a line, reads again. Its standard output is a pipe or, with
// Terminal::pseudo, a pseudo-terminal in raw mode (so the terminal adds no
// CR and takes no Ctrl-Z); standard input is a pipe or the same terminal.
// Terminal::lines is a pseudo-terminal as a user's UTF-8 terminal is set:
// it edits and echoes typed lines in UTF-8, turns Return into LF, LF into
// CR LF on output, and Ctrl-C into an interrupt. linesWithoutUtf8 is the
// same less UTF-8 editing (a fresh pseudo-terminal's, a serial console's),
// linesWithoutEcho less echo.
#pragma once

#ifndef _WIN32
#include <termios.h>
#endif

#include <cstdint>
#include <string>
#include <vector>

// Why a test that needs Terminal::pseudo is skipped on Windows.
inline constexpr const char* kNoPseudoTerminalOnWindows =
    "a console for the program to write to needs a pseudo-terminal, which Wine's console "
    "does not offer to a test";

class InteractiveProcess {
 public:
  enum class Terminal { none, pseudo, lines, linesWithoutUtf8, linesWithoutEcho };

  InteractiveProcess(const std::string& program, Terminal terminal,
                     const std::vector<std::string>& arguments = {});
  ~InteractiveProcess();
  InteractiveProcess(const InteractiveProcess&) = delete;
  InteractiveProcess& operator=(const InteractiveProcess&) = delete;

  // Everything written until nothing more arrives for quietMilliseconds.
  std::string readUntilQuiet(int quietMilliseconds);
  // What the program writes before it waits for input: at least as many
  // bytes as expected holds (waiting up to ten seconds for them, however slow
  // the machine), then anything more that follows within a short while.
  std::string readScreen(const std::string& expected);
  // What arrives until the text has come, the output closes, or nothing
  // more arrives for ten seconds.
  std::string readUntil(const std::string& text);
  // Everything until the output closes.
  std::string readToEnd();
  void send(const std::string& bytes);
  void closeInput();
#ifndef _WIN32
  // Hangs up the terminal (Terminal::pseudo or lines): closes its master side.
  void hangUp();
  // The settings of the terminal.
  termios terminalSettings() const;
  void setTerminalSettings(const termios& settings);
  // Gives the terminal a new window size, as a user's resized window does:
  // its foreground job gets SIGWINCH.
  void setWindowSize(int rows, int columns);
  // Whether the process has ended, without waiting for it.
  bool hasEnded();
  pid_t processId() const { return static_cast<pid_t>(child_); }
#endif
  // Waits for the process, at most 30 seconds (then kills it); its exit
  // code, or minus the number of the signal that ended it (-SIGKILL when it
  // had to be killed).
  int wait();

 private:
  bool readSome(std::string& text, int timeoutMilliseconds);

  // The child and the two ends: process id and descriptors, or on Windows
  // the handles.
  std::intptr_t child_ = -1;
  int endedStatus_ = -1;  // the wait status, once hasEnded() has seen the end
  std::intptr_t input_ = -1;
  std::intptr_t output_ = -1;
};
