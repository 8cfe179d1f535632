#include "utf8/typed_lines.hpp"

bool TypedLines::add(std::string_view bytes, std::string& out) {
  bool whole = true;
  for (char byte : bytes) {
    if (byte == '\n') {
      out += byte;
      lineLength_ = 0;
      continue;
    }
    if (lineLength_ == kLongestLine) {
      whole = false;
      continue;
    }
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x20 || code == 0x7F) out += literalNext_;
    out += byte;
    ++lineLength_;
  }
  return whole;
}

void TypedLines::push(std::string& out) {
  // The end-of-file character at the start of a line would end the input.
  if (lineLength_ == 0) return;
  out += endOfFile_;
  lineLength_ = 0;
}

void TypedLines::end(std::string& out) {
  push(out);
  out += endOfFile_;
}
