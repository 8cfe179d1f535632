#include "utf8/typed_lines.hpp"

#include "utf8/keys.hpp"

namespace LineDiscipline {

bool TypedLines::add(std::string_view bytes, std::string& out) {
  bool newlyCut = false;
  for (char byte : bytes) {
    if (byte == '\n') {
      out += byte;
      lineLength_ = 0;
      cut_ = false;
      continue;
    }
    if (lineLength_ == kLongestLine) {
      newlyCut = newlyCut || !cut_;
      cut_ = true;
      continue;
    }
    if (Keys::isControl(static_cast<unsigned char>(byte))) out += literalNext_;
    out += byte;
    ++lineLength_;
  }
  return !newlyCut;
}

void TypedLines::push(std::string& out) {
  // The end-of-file character at the start of a line would end the input.
  if (lineLength_ == 0) return;
  out += endOfFile_;
  lineLength_ = 0;
  cut_ = false;
}

void TypedLines::end(std::string& out) {
  push(out);
  out += endOfFile_;
}

}  // namespace LineDiscipline
