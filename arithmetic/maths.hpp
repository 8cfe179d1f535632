// The maths functions the formulas, the number reader and the fixed-point
// writer call, taking and returning Extended. Which code computes them
// depends on the target (arithmetic/CMakeLists.txt picks the files):
//
// - The x87's long double (Linux, Windows): the C library's functions as they
//   are, and on Windows those of windows_maths.cpp, which take the C
//   runtime's place. A fault traps inside them under the program's control
//   word.
// - The software type on x86-64 (TANSHUKU_SOFT_ARITHMETIC): sqrt, floor,
//   frexp, ldexp, fabs and signbit are the software type's own; the cosine,
//   the sine, the exponential and the logarithm are the C library's x87
//   functions, on the argument's exact long double, their result taken back
//   exactly. Any difference from the x87 build is then the software
//   arithmetic's, and a fault traps inside the C library as there.
// - The software type elsewhere (long double the 128-bit IEEE format): the
//   cosine, the sine, the exponential and the logarithm evaluated in that
//   format and rounded once to extended (wide_maths.hpp).
#pragma once

#include "arithmetic/extended.hpp"

#if !TANSHUKU_EXTENDED_IN_SOFTWARE
#include <cmath>

namespace Arithmetic {

// Inlined in every build, unoptimised ones too, so that a fault inside the
// C library is reported at the formula that called it.
#define ARITHMETIC_INLINE [[gnu::always_inline]] inline
ARITHMETIC_INLINE Extended sqrt(Extended x) { return sqrtl(x); }
ARITHMETIC_INLINE Extended cos(Extended x) { return cosl(x); }
ARITHMETIC_INLINE Extended sin(Extended x) { return sinl(x); }
ARITHMETIC_INLINE Extended exp(Extended x) { return expl(x); }
ARITHMETIC_INLINE Extended log(Extended x) { return logl(x); }
ARITHMETIC_INLINE Extended fabs(Extended x) { return fabsl(x); }
ARITHMETIC_INLINE Extended floor(Extended x) { return std::floor(x); }
ARITHMETIC_INLINE Extended frexp(Extended x, int* exponent) { return std::frexp(x, exponent); }
ARITHMETIC_INLINE Extended ldexp(Extended x, int exponent) { return std::ldexp(x, exponent); }
ARITHMETIC_INLINE bool signbit(Extended x) { return std::signbit(x); }
#undef ARITHMETIC_INLINE

}  // namespace Arithmetic

#elif __LDBL_MANT_DIG__ == 64
#include <cmath>

namespace Arithmetic {

// Inlined, so that a fault inside the C library is reported at the formula
// that called it, as in the x87 build.
[[gnu::always_inline]] inline Extended cos(Extended x) {
  return Extended(cosl(static_cast<long double>(x)));
}
[[gnu::always_inline]] inline Extended sin(Extended x) {
  return Extended(sinl(static_cast<long double>(x)));
}
[[gnu::always_inline]] inline Extended exp(Extended x) {
  return Extended(expl(static_cast<long double>(x)));
}
[[gnu::always_inline]] inline Extended log(Extended x) {
  return Extended(logl(static_cast<long double>(x)));
}

}  // namespace Arithmetic

#else
#include "arithmetic/wide_maths.hpp"

namespace Arithmetic {

using Wide::cos;
using Wide::exp;
using Wide::log;
using Wide::sin;

}  // namespace Arithmetic

#endif
