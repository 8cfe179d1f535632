#include "utf8/code_page_932.hpp"

#include <algorithm>

#include "utf8/code_page_932_table.hpp"

namespace CodePage932 {

using Table::Mapping;

std::optional<char32_t> toUnicode(Code code) {
  const auto found = std::ranges::lower_bound(Table::byCode, code, {}, &Mapping::code);
  if (found == Table::byCode.end() || found->code != code) return std::nullopt;
  return found->character;
}

std::optional<Code> fromUnicode(char32_t c) {
  if (c > 0xFFFF) return std::nullopt;
  const auto character = static_cast<char16_t>(c);
  const auto found =
      std::ranges::lower_bound(Table::byCharacter, character, {}, &Mapping::character);
  if (found == Table::byCharacter.end() || found->character != character) return std::nullopt;
  return found->code;
}

}  // namespace CodePage932
