// The user's terminal for a loop that edits typed lines on it, for every
// native program that does (tanshuku-utf8 around the program's runs,
// tanshuku-nec around its questions): the terminal taken over for the line
// editor, the signals caught to be taken in turn, the keys read and handed
// on, Ctrl-Z and a new window size handled as the terminal's own, and the
// editor's screen drawn. Each program keeps its own loop, which waits on
// keysToWaitFor() and signalsToWaitFor() with whatever else it waits for.
#pragma once

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string_view>

#include "utf8/line_editor.hpp"
#include "utf8/user_terminal.hpp"

namespace TerminalLines {

// What the program around the host does with the terminal's news.
class Client {
 public:
  // The editor that the keys, the window's width and the stops are for.
  virtual LineEditing::Editor& editor() = 0;
  // The keys read, for the editor and whatever decides on its lines.
  virtual void keys(std::string_view bytes) = 0;
  // Ctrl-Z: the program is about to stop; it is in the foreground again,
  // the window's size taken.
  virtual void stopping() {}
  virtual void continuing() {}
  // The window's new size, before the editor takes its width.
  virtual void resized(const winsize& /*size*/) {}

 protected:
  ~Client() = default;
};

class Host {
 public:
  // Takes over the terminal of standard input and output, and catches the
  // signals that the loop takes in turn. The client is not asked for
  // anything until the host's own calls, so that it may be the object that
  // holds the host.
  explicit Host(Client& client);
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // For the editor: the window's width (0 when unknown), and whether the
  // terminal echoed typed keys.
  int columns() const { return terminal_.columns(); }
  bool echoes() const { return terminal_.echoes(); }

  pollfd keysToWaitFor() const { return {STDIN_FILENO, POLLIN, 0}; }
  pollfd signalsToWaitFor() const { return {signals_, POLLIN, 0}; }

  // Reads the keys that came and hands them to the client. False when the
  // terminal has hung up.
  bool takeKeys();
  // Takes the signals caught in turn, Ctrl-Z and a new window size as the
  // terminal's own, up to one that ends a program: that one, or 0 when no
  // more wait.
  int nextEndingSignal();
  // Draws what the editor has for the screen. False when the terminal no
  // longer takes output: it hung up (EIO), or the output failed otherwise.
  bool showScreen();
  // Why the output failed other than by a hang-up, the first time; 0 if
  // it never did.
  int outputError() const { return outputError_; }
  // The terminal's settings as they were.
  void giveBack() { terminal_.giveBack(); }

 private:
  void stop();
  void resize();

  Client& client_;
  UserTerminal::Takeover terminal_;
  int signals_ = -1;
  int outputError_ = 0;
  char piece_[4096];
};

}  // namespace TerminalLines
