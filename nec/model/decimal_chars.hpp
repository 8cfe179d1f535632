// Doubles written and read as decimal text, whatever the locale: the C++
// library's floating-point to_chars and from_chars where it has them, and
// where it has not (the WebAssembly build's library), the same texts made
// with the C library's printf and strtod in the "C" locale, which the page
// and the command line never change.
#pragma once

#include <string>

namespace DecimalChars {

// The fewest digits that read back as the value, fixed or with an
// exponent, whichever is shorter (fixed on a tie): to_chars(value).
std::string shortest(double value);
// The fewest digits that read back as the value, without an exponent.
std::string shortestFixed(double value);
// The value rounded to that many decimals: printf's %.*f.
std::string fixed(double value, int decimals);
// The value to that many significant digits: printf's %.*g.
std::string general(double value, int digits);

// Reads a number at the start of [at, end) as from_chars does (no blank or
// '+' before it); returns where it ended, or at itself when there is none.
const char* read(const char* at, const char* end, double& value);

// The same made from printf and strtod alone, which the library's own
// functions are checked against where it has both.
namespace fromC {
std::string shortest(double value);
std::string shortestFixed(double value);
std::string fixed(double value, int decimals);
std::string general(double value, int digits);
const char* read(const char* at, const char* end, double& value);
}  // namespace fromC

}  // namespace DecimalChars
