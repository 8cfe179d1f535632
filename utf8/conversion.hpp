// The two conversions of the front end: what the user types, from UTF-8 to
// the program's code page 932, and what the program writes, from code page
// 932 to UTF-8. Both take a stream that arrives in pieces.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace Conversion {

enum class Direction { toCodePage932, toUtf8 };

// What stands for a byte sequence that is no character of the source, or for
// a character that the target cannot show.
constexpr char kSubstitute = '?';

// Whether the C library converts between the two encodings at all.
bool available();

class Converter {
 public:
  explicit Converter(Direction direction);
  ~Converter();
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

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
  void substitute(std::string& out);

  Direction direction_;
  iconv_t iconv_;
  char held_[4] = {};
  size_t heldCount_ = 0;
  long substitutions_ = 0;
};

}  // namespace Conversion
