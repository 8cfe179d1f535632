// Formulas are evaluated in the 80-bit extended format and rounded to double
// where a value is stored. stored() is that rounding.
#pragma once

#include <limits>

// On x86-64 the extended format is the long double; other processors get it
// as a type computed in software.
#if defined(__x86_64__)
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the 80-bit extended format");
#endif

// Rounds an extended value to double. The x87 unit reports a fault only at
// its next instruction, so the fwait makes an overflow of the rounding itself
// (or of any pending computation) stop the program here, and the memory
// clobber keeps the compiler from moving the computation past any output
// that follows in the source.
inline double stored(long double value) {
  double result = static_cast<double>(value);
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("fwait" : "+m"(result) : : "memory");
#endif
  return result;
}
