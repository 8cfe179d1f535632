// The program's number type: every formula, the number reader and the
// fixed-point writer compute in it, and a value is rounded to double only
// where it is stored (console/stored.hpp).
#pragma once

#include <limits>

// The 80-bit extended format of the x87 unit (a 64-bit significand). Any
// other width would change results and the branch decisions taken at the
// format's bounds.
using Extended = long double;

// Other processors get the format as a type computed in software.
#if defined(__x86_64__)
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the 80-bit extended format");
#endif
