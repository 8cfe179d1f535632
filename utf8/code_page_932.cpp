#include "utf8/code_page_932.hpp"

#include <algorithm>

#include "utf8/code_page_932_table.hpp"

namespace CodePage932 {

using Table::Mapping;

namespace {

// The classic algorithms, not the ranges ones: the web build's C++ library
// has not got those.
bool codeBefore(const Mapping& mapping, Code code) { return mapping.code < code; }
bool characterBefore(const Mapping& mapping, char16_t character) {
  return mapping.character < character;
}

}  // namespace

std::optional<char32_t> toUnicode(Code code) {
  const auto found = std::lower_bound(Table::byCode.begin(), Table::byCode.end(), code, codeBefore);
  if (found == Table::byCode.end() || found->code != code) return std::nullopt;
  return found->character;
}

std::optional<Code> fromUnicode(char32_t c) {
  if (c > 0xFFFF) return std::nullopt;
  const auto character = static_cast<char16_t>(c);
  const auto found = std::lower_bound(Table::byCharacter.begin(), Table::byCharacter.end(),
                                      character, characterBefore);
  if (found == Table::byCharacter.end() || found->character != character) return std::nullopt;
  return found->code;
}

bool appendCode(char32_t c, std::string& out) {
  if (isLeftOut(c)) return true;
  const std::optional<Code> code = fromUnicode(c);
  if (!code) return false;
  if (*code > 0xFF) out += static_cast<char>(*code >> 8);
  out += static_cast<char>(*code & 0xFF);
  return true;
}

}  // namespace CodePage932
