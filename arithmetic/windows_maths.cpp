// The maths functions that the formulas call, in place of the C runtime's:
// the runtime's cosine is far off near π/2 (it reduces the argument with the
// x87's own 66-bit π), its sine and exponential differ from the correctly
// rounded result more often, and its logarithm and square root of zero or a
// negative number raise no fault. bench/maths-seam measures both.
// This library is linked after the program's own code and before the C
// runtime, so its definitions are the ones the program uses.
#include <quadmath.h>

extern "C" {

// The logarithm and the square root on the x87 instructions, rounded once
// to the extended format, with their faults: ln 0 divides by zero, ln of a
// negative number and the root of one are invalid operations. Within 0.29
// (the double nearest) of 1 the logarithm takes x - 1, which fyl2xp1 handles
// without losing digits.
long double logl(long double x) {
  long double result;
  if (__builtin_fabsl(x - 1.0L) <= static_cast<long double>(0.29)) {
    asm("fldln2\n\tfxch\n\tfyl2xp1" : "=t"(result) : "0"(x - 1.0L));
  } else {
    asm("fldln2\n\tfxch\n\tfyl2x" : "=t"(result) : "0"(x));
  }
  return result;
}

long double sqrtl(long double x) {
  long double result;
  asm("fsqrt" : "=t"(result) : "0"(x));
  return result;
}

// The cosine, the sine and the exponential in quadruple precision, rounded
// once to the extended format: correctly rounded but for the rarest cases.
long double cosl(long double x) { return static_cast<long double>(cosq(x)); }
long double sinl(long double x) { return static_cast<long double>(sinq(x)); }
long double expl(long double x) { return static_cast<long double>(expq(x)); }

// GCC joins a sine and a cosine of the same argument into one call of this.
void sincosl(long double x, long double* sine, long double* cosine) {
  *sine = sinl(x);
  *cosine = cosl(x);
}

}  // extern "C"
