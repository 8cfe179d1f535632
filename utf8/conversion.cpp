#include "utf8/conversion.hpp"

#include <algorithm>
#include <cstring>
#include <optional>

#include "utf8/code_page_932.hpp"
#include "utf8/utf8_character.hpp"

namespace Conversion {
namespace {

unsigned char byteAt(std::string_view bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

bool isContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Whether bytes are a character that the next piece may still complete: a
// first byte and fewer continuation bytes than it announces. The old five-
// and six-byte forms, and overlong forms, surrogates and code points beyond
// U+10FFFF, are held back too, until they are whole and refused (or flushed
// as one substitute), as the conversion has always done.
bool isCutUtf8(std::string_view bytes) {
  const unsigned char lead = byteAt(bytes, 0);
  const size_t announced = lead < 0xC2   ? 0
                           : lead < 0xE0 ? 2
                           : lead < 0xF0 ? 3
                           : lead < 0xF8 ? 4
                           : lead < 0xFC ? 5
                           : lead < 0xFE ? 6
                                         : 0;
  return bytes.size() < announced && std::all_of(bytes.begin() + 1, bytes.end(), isContinuation);
}

}  // namespace

void Converter::convert(std::string_view piece, std::string& out) {
  // First complete the character held back, one byte at a time.
  while (heldCount_ > 0 && !piece.empty()) {
    held_[heldCount_++] = piece.front();
    piece.remove_prefix(1);
    const size_t used = convertWhole({held_, heldCount_}, out);
    std::memmove(held_, held_ + used, heldCount_ - used);
    heldCount_ -= used;
  }
  if (heldCount_ > 0) return;
  const std::string_view rest = piece.substr(convertWhole(piece, out));
  heldCount_ = rest.size();
  std::memcpy(held_, rest.data(), heldCount_);
}

void Converter::flush(std::string& out) {
  if (heldCount_ == 0) return;
  heldCount_ = 0;
  substitute(out);
}

// Converts bytes up to their end or up to a character that their end cuts
// in two; returns the count of bytes used.
size_t Converter::convertWhole(std::string_view bytes, std::string& out) {
  size_t used = 0;
  while (used < bytes.size()) {
    const std::string_view rest = bytes.substr(used);
    const size_t taken = direction_ == Direction::toCodePage932 ? convertFromUtf8(rest, out)
                                                                : convertFromCodePage932(rest, out);
    if (taken == 0) break;
    used += taken;
  }
  return used;
}

// Converts the character at the start of bytes, or writes one substitute
// for it; returns the count of bytes it takes, none for a cut character.
size_t Converter::convertFromUtf8(std::string_view bytes, std::string& out) {
  if (isCutUtf8(bytes)) return 0;
  const Utf8::Decoded decoded = Utf8::decode(bytes);
  const bool character = decoded.kind == Utf8::Decoded::Kind::character;
  if (!character || !CodePage932::appendCode(decoded.character, out)) substitute(out);
  return decoded.length;
}

// As convertFromUtf8: a lead byte with a trail byte is one code; a lead
// byte before any other byte stands alone, for no character.
size_t Converter::convertFromCodePage932(std::string_view bytes, std::string& out) {
  const unsigned char first = byteAt(bytes, 0);
  if (CodePage932::isLeadByte(first) && bytes.size() == 1) return 0;
  const bool pair = CodePage932::isLeadByte(first) && CodePage932::isTrailByte(byteAt(bytes, 1));
  const auto code = static_cast<CodePage932::Code>(pair ? first << 8 | byteAt(bytes, 1) : first);
  if (const std::optional<char32_t> character = CodePage932::toUnicode(code)) {
    Utf8::encode(*character, out);
  } else {
    substitute(out);
  }
  return pair ? 2 : 1;
}

void Converter::substitute(std::string& out) {
  out += kSubstitute;
  ++substitutions_;
}

}  // namespace Conversion
