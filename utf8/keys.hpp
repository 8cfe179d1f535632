// The keys in what a terminal sends: UTF-8 characters, control keys, the
// escape sequences of the cursor and editing keys, a pasted block and the
// terminal's report of the cursor's place. No I/O: bytes in, keys out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace Keys {

// A control character: the C0 codes and DEL, what a terminal's control
// keys send and what it echoes as ^ and a letter.
constexpr bool isControl(char32_t code) { return code < 0x20 || code == 0x7F; }

struct Key {
  enum class Kind {
    character,  // a character to insert: text, or a control byte sent literally
    control,    // a control byte: code holds it (Ctrl-A is 0x01, Backspace 0x7F)
    left,
    right,
    up,
    down,
    home,
    end,
    deleteForward,
    pastedLineEnd,  // a line end inside a pasted block
    cursorReport,   // the terminal's answer to a question for the cursor's place
  };
  Kind kind;
  char32_t code = 0;  // the character or control byte
  int row = 0;        // of a cursor report, counted from 1
  int column = 0;
};

class Reader {
 public:
  // The UTF-8 replacement character, for bytes that are no character.
  static constexpr char32_t kReplacement = 0xFFFD;

  void feed(std::string_view bytes);
  // The next whole key, or none while the bytes so far end in the middle of
  // one (or there are none).
  std::optional<Key> next();
  // The next byte comes as a character, whatever it is (Ctrl-V).
  void takeNextLiterally() { literal_ = true; }
  bool takesNextLiterally() const { return literal_; }
  // Whether bytes wait for the rest of a key.
  bool holdsPart() const { return taken_ < pending_.size(); }
  // Whether a pasted block has begun and its end not yet come.
  bool pasting() const { return pasting_; }
  // The rest of a key, or the end of a pasted block, never came: from the
  // next call of next() on, what is held is given up (a lone Escape, a cut
  // sequence) or becomes a replacement character (a cut UTF-8 one), and
  // the keys are typed ones again.
  void giveUpPart() { givingUp_ = true; }

 private:
  // The bytes that one key takes from the start of pending_ (none while
  // its rest is still to come), and the key, if it is one.
  struct Step {
    size_t length = 0;
    std::optional<Key> key;
  };
  Step literalKey();
  Step character(Key::Kind kind);
  Step escapeSequence();
  Step controlSequence();
  Step pasted();
  std::string_view rest() const { return std::string_view(pending_).substr(taken_); }

  // The bytes fed, of which the first taken_ have become keys: a long
  // paste is read in one pass, not moved up after every key.
  std::string pending_;
  size_t taken_ = 0;
  bool literal_ = false;
  bool pasting_ = false;
  bool pastedCr_ = false;
  bool givingUp_ = false;
};

}  // namespace Keys
