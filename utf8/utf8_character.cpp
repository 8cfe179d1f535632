#include "utf8/utf8_character.hpp"

namespace Utf8 {
namespace {

// How many bytes a character of more than one byte has with this first
// byte; none for a byte that starts no well-formed character.
size_t lengthAfterLead(unsigned char lead) {
  return lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
}

// The first byte's high bits, by the count of bytes that follow it.
constexpr unsigned char kLeadMarks[] = {0x00, 0xC0, 0xE0, 0xF0};

}  // namespace

Decoded decode(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  if (lead < 0x80) return {Decoded::Kind::character, 1, lead};
  const size_t length = lengthAfterLead(lead);
  if (length == 0) return {Decoded::Kind::invalid, 1, 0};
  char32_t character = lead & (0x7Fu >> length);  // the bits after the length marks
  // The second byte's range excludes overlong forms, surrogates and
  // anything beyond U+10FFFF.
  unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  size_t taken = 1;
  for (; taken < length && taken < bytes.size(); ++taken) {
    const auto next = static_cast<unsigned char>(bytes[taken]);
    if (next < low || next > high) return {Decoded::Kind::invalid, taken, 0};
    character = character << 6 | (next & 0x3Fu);
    low = 0x80;
    high = 0xBF;
  }
  if (taken < length) return {Decoded::Kind::cut, taken, 0};
  return {Decoded::Kind::character, length, character};
}

void encode(char32_t c, std::string& out) {
  const int continuations = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  out += static_cast<char>(kLeadMarks[continuations] | c >> (6 * continuations));
  for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6) {
    out += static_cast<char>(0x80u | ((c >> shift) & 0x3Fu));
  }
}

}  // namespace Utf8
