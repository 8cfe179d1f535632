// The user's terminal while the front end edits the typed lines: its line
// mode and echo off, its signal keys on, pasted blocks marked; and back as it
// was on every way out.
#pragma once

#include <termios.h>

namespace UserTerminal {

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
  // Takes the terminal over again, with the settings it has now, once the
  // front end is its foreground job again (after a stop and fg).
  void takeBackWhenForeground();

 private:
  void takeOver();

  termios own_{};
  bool taken_ = false;
  bool signalKeys_ = true;
};

}  // namespace UserTerminal
