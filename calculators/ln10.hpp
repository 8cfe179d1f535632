// ln 10 to extended precision. The calculators form a common logarithm as
// ln(x) ÷ kLn10, the division coming last in each formula.
#pragma once

#include "arithmetic/extended.hpp"

inline constexpr Extended kLn10 = 2.302585092994046L;
