// One character of UTF-8 text: the character at the start of some bytes,
// and the bytes of a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Utf8 {

struct Decoded {
  enum class Kind {
    character,  // a well-formed character
    invalid,    // ill-formed bytes, which one substitute stands for
    cut,        // a well-formed start of a character that the bytes end in
  };
  Kind kind;
  // How many bytes it takes, at least one: the character's, or as many of
  // the ill-formed ones as are a well-formed start (as the usual practice of
  // decoders has it), or all of the cut ones.
  size_t length;
  char32_t character;  // for a well-formed character only
};

// The character at the start of bytes, which are not empty. Overlong forms,
// surrogates and anything beyond U+10FFFF are ill-formed.
Decoded decode(std::string_view bytes);

// Appends the UTF-8 bytes of c, a Unicode scalar value.
void encode(char32_t c, std::string& out);

}  // namespace Utf8
