// The maths functions of wide_maths.hpp: the argument converted exactly to
// the 128-bit IEEE format, the function of the target's C library for that
// format (libquadmath's on x86-64), the result rounded once to extended.
#include "arithmetic/wide_maths.hpp"

#include "arithmetic/binary128_exp_log.hpp"
#include "arithmetic/extended_parts.hpp"

#if __LDBL_MANT_DIG__ == 113
#include <cmath>
#else
#include <quadmath.h>
#endif

namespace Arithmetic::Wide {
namespace {

using namespace Parts;

#if __LDBL_MANT_DIG__ == 113
Binary128 wideCos(Binary128 x) { return cosl(x); }
Binary128 wideSin(Binary128 x) { return sinl(x); }
#if defined(__EMSCRIPTEN__)
// Its C library's expl and logl are a double's exp and log.
Binary128 wideExp(Binary128 x) { return exponential(x); }
Binary128 wideLog(Binary128 x) { return logarithm(x); }
#else
Binary128 wideExp(Binary128 x) { return expl(x); }
Binary128 wideLog(Binary128 x) { return logl(x); }
#endif
#else
Binary128 wideCos(Binary128 x) { return cosq(x); }
Binary128 wideSin(Binary128 x) { return sinq(x); }
Binary128 wideExp(Binary128 x) { return expq(x); }
Binary128 wideLog(Binary128 x) { return logq(x); }
#endif

// The argument's exact value; a signalling NaN is an invalid operation.
Binary128 widened(SoftExtended x, const void* returnAddress) {
  const Flagged::Binary128Outcome outcome = Flagged::toBinary128(x);
  if (outcome.flags != 0) raiseFault(faultOf(outcome.flags), returnAddress);
  return outcome.value;
}

// The two formats share their exponent range, so an infinite wide result
// from a finite argument lies beyond the largest extended number too.
SoftExtended roundedOnce(Binary128 wide, SoftExtended x, const void* returnAddress) {
  const Flagged::Outcome outcome = Flagged::fromBinary128(wide);
  if (kindOf(outcome.value()) == Kind::infinity && kindOf(x) != Kind::infinity) {
    raiseFault(Fault::overflow, returnAddress);
  }
  return raised(outcome, returnAddress);
}

// The cosine and the sine of an infinity are invalid operations.
SoftExtended periodic(Binary128 (*function)(Binary128), SoftExtended x, const void* returnAddress) {
  if (kindOf(x) == Kind::infinity) raiseFault(Fault::invalidOperation, returnAddress);
  return roundedOnce(function(widened(x, returnAddress)), x, returnAddress);
}

}  // namespace

ARITHMETIC_OUT_OF_LINE SoftExtended cos(SoftExtended x) {
  return periodic(wideCos, x, RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE SoftExtended sin(SoftExtended x) {
  return periodic(wideSin, x, RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE SoftExtended exp(SoftExtended x) {
  const void* returnAddress = RETURN_ADDRESS();
  return roundedOnce(wideExp(widened(x, returnAddress)), x, returnAddress);
}

// The logarithm of zero (of either sign) divides by zero; that of a number
// below zero, the negative infinity included, is an invalid operation.
ARITHMETIC_OUT_OF_LINE SoftExtended log(SoftExtended x) {
  const void* returnAddress = RETURN_ADDRESS();
  if (x == 0) raiseFault(Fault::divisionByZero, returnAddress);
  if (x < 0) raiseFault(Fault::invalidOperation, returnAddress);
  return roundedOnce(wideLog(widened(x, returnAddress)), x, returnAddress);
}

}  // namespace Arithmetic::Wide
