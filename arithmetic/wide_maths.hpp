// The cosine, the sine, the exponential and the logarithm of the software
// extended type, evaluated in the 128-bit IEEE format from the argument's
// exact value and rounded once to extended: the maths functions of targets
// whose long double is that format (their C library's), and on x86-64 the
// same through libquadmath, to measure them against the x87's.
//
// Their faults go to the arithmetic fault handler at the formula that called
// them, as the x87's: the logarithm of zero divides by zero, that of a
// negative number and the cosine or sine of an infinity are invalid
// operations, and an exponential beyond the largest extended number
// overflows.
#pragma once

#include "arithmetic/soft_extended.hpp"

namespace Arithmetic::Wide {

SoftExtended cos(SoftExtended x);
SoftExtended sin(SoftExtended x);
SoftExtended exp(SoftExtended x);
SoftExtended log(SoftExtended x);

}  // namespace Arithmetic::Wide
