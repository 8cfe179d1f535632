// Code page 932, the program's encoding, against Unicode: the character
// that each code stands for and the code that stands for each character.
// The mapping is the C library's, taken into a table when the front end is
// built (make_code_page_932_table.cpp): at run time it needs no converter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace CodePage932 {

// A code: a single byte below 0x100, otherwise lead byte << 8 | trail byte.
using Code = uint16_t;

// The first byte of a two-byte code.
constexpr bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A second byte of a two-byte code; a lead byte before any other byte
// stands alone.
constexpr bool isTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Tag characters, which mark text invisibly: a conversion to the code page
// leaves them out, with neither a code nor a substitute.
constexpr bool isLeftOut(char32_t c) { return c >= 0xE0000 && c <= 0xE007F; }

// The character that a code stands for; none where it stands for none.
std::optional<char32_t> toUnicode(Code code);

// The code that stands for c; none for a character that the code page
// cannot show. Several characters may share a code.
std::optional<Code> fromUnicode(char32_t c);

// Appends the bytes of the code that stands for c, one or two; none for a
// character left out. False, with nothing appended, where the code page
// cannot show c: the caller writes its substitute.
bool appendCode(char32_t c, std::string& out);

}  // namespace CodePage932
