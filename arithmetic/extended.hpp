// The program's number type: every formula, the number reader and the
// fixed-point writer compute in it, and a value is rounded to double only
// where it is stored (arithmetic/stored.hpp). The maths functions that take
// and return it are in arithmetic/maths.hpp.
#pragma once

#include <limits>

// The x87's own long double where the processor has one and the build does
// not ask for the software type (TANSHUKU_SOFT_ARITHMETIC); the software type
// everywhere else, where long double is another format.
#if defined(TANSHUKU_SOFT_ARITHMETIC) || __LDBL_MANT_DIG__ != 64
#define TANSHUKU_EXTENDED_IN_SOFTWARE 1
#else
#define TANSHUKU_EXTENDED_IN_SOFTWARE 0
#endif

#if TANSHUKU_EXTENDED_IN_SOFTWARE
#include "arithmetic/soft_extended.hpp"

// The 80-bit extended format computed in software, bit for bit as the x87.
using Extended = Arithmetic::SoftExtended;
#else
// The 80-bit extended format of the x87 unit (a 64-bit significand). Any
// other width would change results and the branch decisions taken at the
// format's bounds.
using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the 80-bit extended format");
#endif
