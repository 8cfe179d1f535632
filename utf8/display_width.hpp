// How many columns a terminal gives a character, by the Unicode character
// database, taken into a table when the front end is built
// (make_display_width_table.cpp).
#pragma once

namespace DisplayWidth {

enum class Kind : unsigned char {
  zero,       // combining marks, format characters, control characters
  narrow,     // one column
  wide,       // two columns
  ambiguous,  // one column or two, as the terminal has it
};

Kind of(char32_t c);

}  // namespace DisplayWidth
