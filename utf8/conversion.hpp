// The two conversions of the front end: what the user types, from UTF-8 to
// the program's code page 932, and what the program writes, from code page
// 932 to UTF-8. Both take a stream that arrives in pieces.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Conversion {

enum class Direction { toCodePage932, toUtf8 };

// What stands for a byte sequence that is no character of the source, or for
// a character that the target cannot show.
constexpr char kSubstitute = '?';

class Converter {
 public:
  explicit Converter(Direction direction) : direction_(direction) {}

  // Appends the converted piece to out. A character that the end of the
  // piece cuts in two is held back until the next piece completes it.
  void convert(std::string_view piece, std::string& out);
  // Appends a substitute for a character held back and not completed: the
  // stream has ended, or its line is handed on as it is.
  void flush(std::string& out);
  // How many substitutes were written so far.
  long substitutions() const { return substitutions_; }

 private:
  size_t convertWhole(std::string_view bytes, std::string& out);
  size_t convertFromUtf8(std::string_view bytes, std::string& out);
  size_t convertFromCodePage932(std::string_view bytes, std::string& out);
  void substitute(std::string& out);

  Direction direction_;
  // A character held back. The old five- and six-byte UTF-8 forms are
  // waited for whole before they are called invalid: with the byte that
  // completes or refuses them, no more than six bytes are held.
  char held_[6] = {};
  size_t heldCount_ = 0;
  long substitutions_ = 0;
};

}  // namespace Conversion
