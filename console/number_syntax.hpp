// The syntax of typed numbers and how their values are built.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "arithmetic/extended.hpp"

namespace NumberSyntax {

// A real number: [+|-] digits [. digits] [(E|e) [+|-] digits], at least one
// digit before or after the point. The value is built in extended precision
// digit by digit; it is not yet rounded to double. Empty when the token does
// not follow the syntax.
std::optional<Extended> parseReal(std::string_view token);

// An integer: [+|-] [$ | x | 0x | % | &] digits of the base (16, 16, 16, 2,
// 8; 10 without a prefix). Decimal numbers must fit 32 signed bits, the other
// bases 32 unsigned bits, which are then taken as signed. Empty when the
// token does not follow the syntax or is out of range.
std::optional<std::int32_t> parseInteger(std::string_view token);

// The low 16 bits of a 32-bit number, taken as signed.
std::int16_t low16Bits(std::int32_t number);

}  // namespace NumberSyntax
