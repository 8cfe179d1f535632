// Formulas are evaluated in the 80-bit extended format and rounded to double
// where a value is stored. stored() is that rounding.
#pragma once

#include "arithmetic/extended.hpp"

// Rounds an extended value to double. On the x87 unit a fault shows only at
// its next instruction, so the fwait makes an overflow of the rounding itself
// (or of any pending computation) stop the program here, and the memory
// clobber keeps the compiler from moving the computation past any output
// that follows in the source. The software type raises its faults in the
// operation itself.
inline double stored(Extended value) {
  double result = static_cast<double>(value);
#if !TANSHUKU_EXTENDED_IN_SOFTWARE
  asm volatile("fwait" : "+m"(result) : : "memory");
#endif
  return result;
}
