// The typed lines as the program's pseudo-terminal must receive them. Its
// line discipline reads lines as the user's own terminal does, so every
// control byte of a line (other than its LF) goes in behind the literal-next
// character and reaches the program as a byte, not as an editing key or a
// signal; a line keeps at most the bytes that the discipline holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace LineDiscipline {

class TypedLines {
 public:
  // The longest line, without its LF, that the line discipline passes whole.
  static constexpr size_t kLongestLine = 4095;

  TypedLines(char literalNext, char endOfFile) : literalNext_(literalNext), endOfFile_(endOfFile) {}

  // Appends a piece of typed lines to out. Returns false when a line grew
  // longer than kLongestLine in this piece, and its rest is left out.
  bool add(std::string_view bytes, std::string& out);
  // Hands on the line typed so far without a line end, as the user's Ctrl-D
  // in the middle of a line does.
  void push(std::string& out);
  // The end of the input: the line typed so far, then a read of no bytes.
  void end(std::string& out);

 private:
  char literalNext_;
  char endOfFile_;
  size_t lineLength_ = 0;
  bool cut_ = false;
};

}  // namespace LineDiscipline
