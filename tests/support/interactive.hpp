// A program run step by step: the test reads what it has written so far,
// types a line, reads again. Its standard output is a pipe or, with
// Terminal::pseudo, a pseudo-terminal in raw mode (so the terminal adds no
// CR and takes no Ctrl-Z); standard input is a pipe or the same terminal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class InteractiveProcess {
 public:
  enum class Terminal { none, pseudo };

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
  // Everything until the output closes.
  std::string readToEnd();
  void send(const std::string& bytes);
  void closeInput();
  // Waits for the process; its exit code, or -1 after a signal.
  int wait();

 private:
  bool readSome(std::string& text, int timeoutMilliseconds);

  // The child and the two ends: process id and descriptors, or on Windows
  // the handles.
  std::intptr_t child_ = -1;
  std::intptr_t input_ = -1;
  std::intptr_t output_ = -1;
};
