// The user's terminal while the front end edits the typed lines: its line
// mode and echo off, its signal keys on, pasted blocks marked; and back as it
// was on every way out.
#pragma once

#include <sys/ioctl.h>
#include <termios.h>

#include <optional>

namespace UserTerminal {

// The window's size, as the terminal of standard input has it; none when
// it does not say.
std::optional<winsize> windowSize();

class Takeover {
 public:
  // Takes over the terminal on standard input and output.
  Takeover();
  ~Takeover() { giveBack(); }
  Takeover(const Takeover&) = delete;
  Takeover& operator=(const Takeover&) = delete;

  // Whether the terminal echoed typed keys when it was taken over.
  bool echoes() const { return (own_.c_lflag & ECHO) != 0; }
  // The window's width in columns, 0 when the terminal does not say.
  int columns() const;
  // Switches the signal keys off for a key to be typed as a character.
  void setSignalKeys(bool on);
  // The settings as they were, and the modes switched off again.
  void giveBack();
  // Ctrl-Z: gives the terminal back and stops the front end as a job; once
  // continued and the terminal's foreground job again (fg), takes it over
  // again with the settings it has then. Until then the front end cannot
  // take a signal in turn (a stopped process runs no handler; one continued
  // in the background waits here), so the signals that end a program end it
  // there and then, as they end any stopped job (kill %1, with or without
  // bg before it).
  void stopUntilForeground();

 private:
  void takeOver();

  termios own_{};
  bool taken_ = false;
  bool signalKeys_ = true;
};

}  // namespace UserTerminal
