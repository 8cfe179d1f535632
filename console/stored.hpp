// Formulas are evaluated in the 80-bit extended format and rounded to double
// where a value is stored. stored() is that rounding.
#pragma once

#include "arithmetic/extended.hpp"

// Rounds an extended value to double. The x87 unit reports a fault only at
// its next instruction, so the fwait makes an overflow of the rounding itself
// (or of any pending computation) stop the program here, and the memory
// clobber keeps the compiler from moving the computation past any output
// that follows in the source.
inline double stored(Extended value) {
  double result = static_cast<double>(value);
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("fwait" : "+m"(result) : : "memory");
#endif
  return result;
}
