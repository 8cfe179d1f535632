// Writes the tables of code_page_932_table.hpp as the C library's converter
// has them: every single byte and every pair of a lead and a trail byte
// decoded, every Unicode scalar value encoded. It runs on the build machine.
// Usage: make_code_page_932_table OUTPUT.cpp
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "utf8/code_page_932.hpp"

namespace {

using CodePage932::Code;

constexpr char32_t kCodePoints = 0x110000;
constexpr const char* kCodePage932 = "CP932";
// Code points as four bytes, lowest first, whatever this machine's order.
constexpr const char* kCodePointBytes = "UTF-32LE";

struct Mapping {
  Code code;
  char32_t character;
};

class Converter {
 public:
  Converter(const char* to, const char* from) : iconv_(iconv_open(to, from)) {}
  ~Converter() {
    if (opened()) iconv_close(iconv_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool opened() const { return iconv_ != reinterpret_cast<iconv_t>(-1); }

  // The bytes converted, or none where the converter refuses them or finds
  // them cut short.
  std::optional<std::string> convert(std::string bytes) {
    char* source = bytes.data();
    size_t left = bytes.size();
    char converted[16];
    char* target = converted;
    size_t room = sizeof converted;
    if (iconv(iconv_, &source, &left, &target, &room) == static_cast<size_t>(-1)) {
      iconv(iconv_, nullptr, nullptr, nullptr, nullptr);
      return std::nullopt;
    }
    return std::string(converted, target);
  }

 private:
  iconv_t iconv_;
};

std::string codePointBytes(char32_t c) {
  return {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8 & 0xFF),
          static_cast<char>(c >> 16 & 0xFF), static_cast<char>(c >> 24)};
}

std::optional<char32_t> codePoint(const std::string& bytes) {
  if (bytes.size() != 4) return std::nullopt;
  char32_t c = 0;
  for (size_t at = 4; at-- > 0;) c = c << 8 | static_cast<unsigned char>(bytes[at]);
  return c;
}

std::string codeBytes(Code code) {
  if (code < 0x100) return {static_cast<char>(code)};
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::optional<Code> code(const std::string& bytes) {
  if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
  if (bytes.size() != 2) return std::nullopt;
  return static_cast<Code>(static_cast<unsigned char>(bytes[0]) << 8 |
                           static_cast<unsigned char>(bytes[1]));
}

// Every code of the code page: the single bytes, then the pairs.
std::vector<Code> allCodes() {
  std::vector<Code> codes;
  for (Code single = 0; single < 0x100; ++single) codes.push_back(single);
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (CodePage932::isLeadByte(static_cast<unsigned char>(lead)) &&
          CodePage932::isTrailByte(static_cast<unsigned char>(trail))) {
        codes.push_back(static_cast<Code>(lead << 8 | trail));
      }
    }
  }
  return codes;
}

// Fails with a message where a code stands for more than one character.
bool decodeAll(std::vector<Mapping>& byCode) {
  Converter decoder(kCodePointBytes, kCodePage932);
  if (!decoder.opened()) return false;
  for (Code each : allCodes()) {
    std::optional<std::string> converted = decoder.convert(codeBytes(each));
    if (!converted) continue;
    std::optional<char32_t> character = codePoint(*converted);
    if (!character) {
      std::fprintf(stderr, "code 0x%X decodes to more than one character\n", each);
      return false;
    }
    byCode.push_back({each, *character});
  }
  return true;
}

// Fails with a message where a character encodes to anything but one code,
// or to nothing where it is not left out.
bool encodeAll(std::vector<Mapping>& byCharacter) {
  Converter encoder(kCodePage932, kCodePointBytes);
  if (!encoder.opened()) return false;
  for (char32_t c = 0; c < kCodePoints; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are no characters
    std::optional<std::string> converted = encoder.convert(codePointBytes(c));
    if (!converted || (converted->empty() && CodePage932::isLeftOut(c))) continue;
    std::optional<Code> each = code(*converted);
    if (!each || CodePage932::isLeftOut(c)) {
      std::fprintf(stderr, "U+%04X encodes to %zu bytes\n", static_cast<unsigned>(c),
                   converted->size());
      return false;
    }
    byCharacter.push_back({*each, c});
  }
  return true;
}

// The table's character type holds no more than U+FFFF.
bool withinSixteenBits(const std::vector<Mapping>& mappings) {
  for (const Mapping& mapping : mappings) {
    if (mapping.character > 0xFFFF) {
      std::fprintf(stderr, "U+%X is beyond the table's sixteen bits\n",
                   static_cast<unsigned>(mapping.character));
      return false;
    }
  }
  return true;
}

void writeTable(std::ostream& out, const char* name, const std::vector<Mapping>& mappings) {
  out << "constexpr Mapping " << name << "[] = {";
  for (size_t at = 0; at < mappings.size(); ++at) {
    out << (at % 6 == 0 ? "\n    " : " ") << "{0x" << mappings[at].code << ", 0x"
        << static_cast<unsigned>(mappings[at].character) << "},";
  }
  out << "\n};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_code_page_932_table OUTPUT.cpp\n");
    return 2;
  }
  std::vector<Mapping> byCode;
  std::vector<Mapping> byCharacter;
  if (!decodeAll(byCode) || !encodeAll(byCharacter) || byCode.empty() || byCharacter.empty() ||
      !withinSixteenBits(byCode) || !withinSixteenBits(byCharacter)) {
    std::fprintf(stderr, "make_code_page_932_table: no code page 932 from the C library\n");
    return 1;
  }
  std::ostringstream table;
  table << std::hex << "// Made by make_code_page_932_table from the C library's converter.\n"
        << "#include \"utf8/code_page_932_table.hpp\"\n\n"
        << "namespace CodePage932::Table {\nnamespace {\n\n";
  writeTable(table, "kByCode", byCode);
  table << "\n";
  writeTable(table, "kByCharacter", byCharacter);
  table << "\n}  // namespace\n\n"
        << "const std::span<const Mapping> byCode{kByCode};\n"
        << "const std::span<const Mapping> byCharacter{kByCharacter};\n\n"
        << "}  // namespace CodePage932::Table\n";
  std::ofstream(argv[1]) << table.str();
  return 0;
}
