// The tables behind code_page_932.hpp, which make_code_page_932_table
// writes when the front end is built.
#pragma once

#include <span>

#include "utf8/code_page_932.hpp"

namespace CodePage932::Table {

// A code and a character that it stands for (none beyond U+FFFF does).
struct Mapping {
  Code code;
  char16_t character;
};

// By code, each code once: the character it decodes to.
extern const std::span<const Mapping> byCode;
// By character, each character once: the code it encodes to.
extern const std::span<const Mapping> byCharacter;

}  // namespace CodePage932::Table
