// Numbers as text for files and messages, with a "." as the decimal point
// whatever the locale (nec/model/decimal_chars.hpp).
#pragma once

#include <string>

namespace NumberText {

// The shortest text that reads back as the same double: 7.05, 2.5e-05.
std::string shortest(double value);
// The same without an exponent, and with ".0" behind a whole number: 5.0,
// 0.001, 21.3.
std::string plainDecimal(double value);
// With a fixed number of decimals, rounded to nearest: 23.65 for 2 decimals.
std::string withDecimals(double value, int decimals);
// The decimals that show a figure known to within the uncertainty: those
// of its first significant digit (2 for ± 0.08, 0 for ± 6), 4 at most.
int decimalsFor(double uncertainty);

}  // namespace NumberText
