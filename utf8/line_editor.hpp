// The typed line of a UTF-8 terminal, edited by the front end itself: keys
// and the program's output come in, the bytes that draw the screen and the
// lines for the program go out. It does no I/O, so that any surroundings
// that carry bytes (a terminal, a page's terminal) can use it.
//
// The screen: the program's output is shown as it comes; the line being
// typed follows it where it stops (the question), wraps at the window's
// edge, and is taken off the screen and drawn again below any output that
// comes while it is typed. The columns a character takes come from its East
// Asian Width; where the output holds characters of ambiguous width, the
// terminal is asked for the cursor's column when a line starts.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "utf8/conversion.hpp"
#include "utf8/keys.hpp"
#include "utf8/typed_lines.hpp"

namespace LineEditing {

// The longest line, in code page 932 bytes, that the program's terminal
// passes whole.
constexpr size_t kLongestLine = LineDiscipline::TypedLines::kLongestLine;

// What a front end tells the user when a line was cut at kLongestLine.
inline std::string cutLineNotice() {
  return "a line longer than " + std::to_string(kLongestLine) + " bytes was cut there";
}

// How long the rest of a key, or the terminal's answer to the question for
// the cursor's column, may take: then Editor::timeOut().
constexpr std::chrono::milliseconds kKeyWait{100};
// How long a pasted block may pause before its end has come: a terminal
// sends it at once, a slow link in pieces. Then Editor::timeOut() ends it,
// and the keys are typed ones again.
constexpr std::chrono::milliseconds kPasteWait{1000};

// What goes to the program: a line ended by Return, a line handed on
// without a line end (Ctrl-D inside a line), or the end of the input
// (Ctrl-D on an empty line).
struct HandedLine {
  enum class Kind { line, unended, endOfInput };
  Kind kind;
  std::string codePage932;  // the line with full-width answers folded
  bool cut = false;         // it was longer than kLongestLine: the rest is left out
  std::u32string typed;     // the line as typed
};

class Editor {
 public:
  // columns: the window's width (0 when unknown). echo: whether typed keys
  // are shown (a terminal whose echo is off shows none).
  Editor(int columns, bool echo);

  // What the user's terminal sent.
  void keys(std::string_view bytes);
  // What the program wrote, in code page 932.
  void programOutput(std::string_view bytes);
  // The program's output has ended: a character it cut is shown as a
  // substitute, and the line being typed is taken off the screen.
  void programEnded();
  void resize(int columns);
  // The rest of a key, or the terminal's answer to the question for the
  // cursor's column, did not come in time.
  void timeOut();
  // Whether the next key is a character whatever it is (after Ctrl-V): the
  // terminal's signal keys too.
  bool takesNextKeyLiterally() const { return reader_.takesNextLiterally(); }
  // Whether a time-out is due soon: bytes of a key or an answer, or the end
  // of a pasted block, are awaited; and how long after the last news.
  bool awaitsMore() const { return reader_.holdsPart() || reader_.pasting() || asked_; }
  std::chrono::milliseconds moreWait() const { return reader_.pasting() ? kPasteWait : kKeyWait; }
  // The user stopped the program (Ctrl-Z): the line stays, the cursor goes
  // to a line of its own for the shell. Then resumed: the question and the
  // line are drawn again.
  void suspend();
  void resume();
  // A signal ended the typing: the name of its key (Ctrl-C, Ctrl-\) is
  // shown, as a terminal shows such keys (none for a signal that no key
  // sends), and the lines not yet handed on are dropped.
  void interrupt(int signal);

  // Shows the front end's own text (UTF-8) as if the program had written it.
  void show(std::string_view text);
  // Puts text in the line being typed, as if typed, for the user to keep
  // or change.
  void offer(std::u32string_view text);

  // The bytes to draw since the last call.
  std::string takeScreen();
  // The lines for the program, oldest first.
  std::deque<HandedLine>& handed() { return handed_; }
  const std::deque<HandedLine>& handed() const { return handed_; }

 private:
  struct Place {
    int row;
    int column;
  };

  void press(const Keys::Key& key);
  void pressControl(char32_t code);
  void insert(char32_t code);
  void erase(size_t from, size_t to);
  void eraseWord();
  void moveTo(size_t position);
  void recall(int step);
  void handOn(HandedLine::Kind kind);
  void askForColumn();
  void takeCursorReport(const Keys::Key& report);
  void replayKeysWhileAsked();
  void showOutput();

  int width(char32_t code) const;
  Place advance(Place place, int characterWidth) const;
  Place placeAfter(size_t count) const;
  void moveCursor(Place from, Place to);
  void takeLineOffScreen();
  void drawFrom(size_t index);
  void drawCharacter(char32_t code);
  void trackOutput(std::string_view text);

  int columns_;
  bool echo_;
  Keys::Reader reader_;
  Conversion::Converter shown_{Conversion::Direction::toUtf8};

  std::u32string line_;
  size_t lineLength_ = 0;  // in code page 932 bytes
  size_t cursor_ = 0;
  bool drawn_ = false;  // the line is on the screen
  bool suspended_ = false;
  Place cursorPlace_{0, 0};  // the terminal's cursor, from the line's start row
  bool cut_ = false;

  // Where the program's output stopped: the line starts there.
  int startColumn_ = 0;
  bool startKnown_ = true;  // the shell left the cursor at a line's start
  int ambiguousSinceLineStart_ = 0;
  int ambiguousWidth_ = 1;
  // The output since its last line end, and the line before, for a redraw.
  std::string question_;
  std::string lineBefore_;

  bool asked_ = false;  // an answer to the question for the cursor is awaited
  bool askedSinceOutput_ = false;
  bool outputSinceAsked_ = false;
  std::vector<Keys::Key> keysWhileAsked_;

  std::vector<std::u32string> history_;
  size_t recalled_ = 0;  // history_.size() while no earlier answer is shown
  std::u32string typedBeforeRecall_;

  std::string converted_;
  std::string screen_;
  std::deque<HandedLine> handed_;
};

}  // namespace LineEditing
