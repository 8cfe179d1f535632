// The front end's tables and its UTF-8: code page 932 as the C library's
// converter has it, for every code and every character; the display widths
// of characters that the program's screens show; one UTF-8 character.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <iomanip>
#include <string>

#include "utf8/code_page_932.hpp"
#include "utf8/display_width.hpp"
#include "utf8/utf8_character.hpp"

namespace {

using CodePage932::Code;

constexpr char32_t kCodePoints = 0x110000;

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// What a conversion makes of some bytes: all of them converted (error 0),
// or the error where it stops: EILSEQ refused, EINVAL cut short.
struct Converted {
  int error;
  std::string bytes;
  bool operator==(const Converted&) const = default;
};

void PrintTo(const Converted& converted, std::ostream* out) {
  *out << "error " << converted.error << ", bytes" << std::hex;
  for (char c : converted.bytes) *out << ' ' << static_cast<int>(static_cast<unsigned char>(c));
}

class LibraryConverter {
 public:
  LibraryConverter(const char* to, const char* from) : iconv_(iconv_open(to, from)) {}
  ~LibraryConverter() { iconv_close(iconv_); }
  LibraryConverter(const LibraryConverter&) = delete;
  LibraryConverter& operator=(const LibraryConverter&) = delete;

  Converted operator()(std::string bytes) const {
    iconv(iconv_, nullptr, nullptr, nullptr, nullptr);
    char* source = bytes.data();
    size_t left = bytes.size();
    char converted[16];
    char* target = converted;
    size_t room = sizeof converted;
    if (iconv(iconv_, &source, &left, &target, &room) == static_cast<size_t>(-1)) {
      return {errno, ""};
    }
    return {0, std::string(converted, target)};
  }

 private:
  iconv_t iconv_;
};

std::string utf8(char32_t c) {
  std::string bytes;
  Utf8::encode(c, bytes);
  return bytes;
}

std::string codeBytes(Code code) {
  if (code < 0x100) return {static_cast<char>(code)};
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

Converted decodedToUtf8(Code code) {
  std::optional<char32_t> character = CodePage932::toUnicode(code);
  return character ? Converted{0, utf8(*character)} : Converted{EILSEQ, ""};
}

TEST(CodePage932Table, DecodesEveryCodeAsTheCLibrary) {
  const LibraryConverter library("UTF-8", "CP932");
  for (Code single = 0; single < 0x100; ++single) {
    const bool lead = CodePage932::isLeadByte(static_cast<unsigned char>(single));
    const Converted alone = lead ? Converted{EINVAL, ""} : decodedToUtf8(single);
    ASSERT_EQ(alone, library(codeBytes(single))) << "code " << std::hex << single;
    for (unsigned second = 0; lead && second < 0x100; ++second) {
      const auto pair = static_cast<Code>(single << 8 | second);
      const Converted both = CodePage932::isTrailByte(static_cast<unsigned char>(second))
                                 ? decodedToUtf8(pair)
                                 : Converted{EILSEQ, ""};
      ASSERT_EQ(both, library(codeBytes(pair))) << "code " << std::hex << pair;
    }
  }
}

TEST(CodePage932Table, EncodesEveryCharacterAsTheCLibrary) {
  const LibraryConverter library("CP932", "UTF-8");
  for (char32_t c = 0; c < kCodePoints; ++c) {
    if (isSurrogate(c)) continue;
    const std::optional<Code> code = CodePage932::fromUnicode(c);
    const Converted ours = CodePage932::isLeftOut(c) ? Converted{0, ""}
                           : code                    ? Converted{0, codeBytes(*code)}
                                                     : Converted{EILSEQ, ""};
    ASSERT_EQ(ours, library(utf8(c))) << "U+" << std::hex << static_cast<unsigned>(c);
  }
}

TEST(DisplayWidth, KindsOfCharactersOnTheProgramsScreens) {
  using DisplayWidth::Kind;
  struct Case {
    char32_t character;
    Kind kind;
  };
  const Case cases[] = {
      {U'a', Kind::narrow},
      {U'ﾛ', Kind::narrow},
      {U'−', Kind::narrow},
      {U'７', Kind::wide},
      {U'中', Kind::wide},
      {U'\u3000', Kind::wide},
      {U'😀', Kind::wide},
      {U'μ', Kind::ambiguous},
      {U'○', Kind::ambiguous},
      {U'\u0301', Kind::zero},
      {U'\u200B', Kind::zero},
      {U'\u1160', Kind::zero},
      {U'\x1B', Kind::zero},
      {U'\u009B', Kind::zero},
      // Unassigned: wide among the ideographs, narrow elsewhere.
      {U'\uFA6E', Kind::wide},
      {U'\U0002FFFD', Kind::wide},
      {U'\u0378', Kind::narrow},
      {U'\U0010FFFF', Kind::narrow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisplayWidth::of(c.character), c.kind)
        << "U+" << std::hex << static_cast<unsigned>(c.character);
  }
}

TEST(Utf8Character, DecodesOneCharacterOrWhatOneSubstituteStandsFor) {
  using Kind = Utf8::Decoded::Kind;
  struct Case {
    std::string bytes;
    Kind kind;
    size_t length;
    char32_t character;
  };
  const Case cases[] = {
      {"a", Kind::character, 1, U'a'},
      {"μ", Kind::character, 2, U'μ'},
      {"中", Kind::character, 3, U'中'},
      {"😀", Kind::character, 4, U'😀'},
      {"\xE3\x81", Kind::cut, 2, 0},
      {"\xF0\x9F\x98", Kind::cut, 3, 0},
      {"\xE3\x81"
       "a",
       Kind::invalid, 2, 0},
      {"\x80", Kind::invalid, 1, 0},
      {"\xC0\x80", Kind::invalid, 1, 0},          // overlong
      {"\xE0\x9F\xBF", Kind::invalid, 1, 0},      // overlong
      {"\xED\xA0\x80", Kind::invalid, 1, 0},      // a surrogate
      {"\xF4\x90\x80\x80", Kind::invalid, 1, 0},  // beyond U+10FFFF
      {"\xF8\x88\x80\x80\x80", Kind::invalid, 1, 0},
  };
  for (const Case& c : cases) {
    const Utf8::Decoded decoded = Utf8::decode(c.bytes);
    EXPECT_EQ(decoded.kind, c.kind) << c.bytes;
    EXPECT_EQ(decoded.length, c.length) << c.bytes;
    if (c.kind == Kind::character) {
      EXPECT_EQ(decoded.character, c.character) << c.bytes;
    }
  }
}

TEST(Utf8Character, DecodesWhatItEncodesForEveryCharacter) {
  for (char32_t c = 0; c < kCodePoints; ++c) {
    if (isSurrogate(c)) continue;
    const std::string bytes = utf8(c);
    const Utf8::Decoded decoded = Utf8::decode(bytes);
    ASSERT_EQ(decoded.kind, Utf8::Decoded::Kind::character) << static_cast<unsigned>(c);
    ASSERT_EQ(decoded.character, c);
    ASSERT_EQ(decoded.length, bytes.size());
  }
}

}  // namespace
