// What the operations of soft_extended.hpp work on: the kind of an operand,
// a finite operand taken apart into sign, exponent and normalized
// significand, the results that need no rounding, and the one rounding that
// every other result goes through.
#pragma once

#include <bit>
#include <cstdint>

#include "arithmetic/return_address.hpp"
#include "arithmetic/soft_extended.hpp"

// The operations that can fault: out of line and never merged into their
// callers or cloned, so that RETURN_ADDRESS() in them is an
// address in the code that called them.
#if defined(__clang__)
#define ARITHMETIC_OUT_OF_LINE [[gnu::noinline]]
#else
#define ARITHMETIC_OUT_OF_LINE [[gnu::noipa]]
#endif

namespace Arithmetic::Parts {

using Flagged::Outcome;
using namespace Encoding;

inline constexpr std::uint64_t kDefaultNaNSignificand = kIntegerBit | kQuietBit;

enum class Kind { zero, finite, infinity, quietNaN, signalingNaN, unsupported };

// Denormals and pseudo-denormals are finite; a zero integer bit under a
// non-zero exponent (unnormals, pseudo-infinities, pseudo-NaNs) is
// unsupported, as on every x87 since the 80387.
constexpr Kind kindOf(SoftExtended x) {
  const unsigned exponent = x.signAndExponent & kExponentMask;
  if (exponent == 0) return x.significand == 0 ? Kind::zero : Kind::finite;
  if ((x.significand & kIntegerBit) == 0) return Kind::unsupported;
  if (exponent != kExponentMask) return Kind::finite;
  if (x.significand == kIntegerBit) return Kind::infinity;
  return (x.significand & kQuietBit) != 0 ? Kind::quietNaN : Kind::signalingNaN;
}

constexpr bool isNaN(Kind kind) { return kind == Kind::quietNaN || kind == Kind::signalingNaN; }
// A NaN or an unsupported encoding: the operation's result is a NaN.
constexpr bool isUnordered(Kind kind) { return isNaN(kind) || kind == Kind::unsupported; }

// A finite non-zero number: significand / 2^63 × 2^(exponent - bias), the
// significand's bit 63 set; the exponent is below 1 for a denormal.
struct Unpacked {
  bool negative;
  int exponent;
  std::uint64_t significand;
};

constexpr Unpacked unpacked(SoftExtended x) {
  const bool negative = signbit(x);
  const int exponent = x.signAndExponent & kExponentMask;
  if (exponent != 0) return {negative, exponent, x.significand};
  const int leadingZeros = std::countl_zero(x.significand);
  return {negative, 1 - leadingZeros, x.significand << leadingZeros};
}

// The x87's answer to an invalid operation with no NaN operand: the negative
// quiet NaN with the top fraction bit alone set ("real indefinite").
constexpr Outcome invalid() {
  return {kDefaultNaNSignificand, static_cast<std::uint16_t>(kSignBit | kInfinityExponent),
          kInvalidFlag};
}

// The operand as the x87 delivers it unchanged: a pseudo-denormal with the
// exponent 1 of its value.
constexpr Outcome canonical(SoftExtended x) {
  if ((x.signAndExponent & kExponentMask) == 0 && (x.significand & kIntegerBit) != 0) {
    return exact(static_cast<std::uint16_t>(x.signAndExponent | 1), x.significand);
  }
  return exact(x.signAndExponent, x.significand);
}

// The result of an operation with an unsupported operand or a NaN operand:
// the x87's choice among the NaNs (a quiet one before a signalling one, then
// the larger significand, then the positive one), made quiet.
Outcome nanResult(SoftExtended a, Kind kindA, SoftExtended b, Kind kindB);
Outcome nanResult(SoftExtended x, Kind kind);

// The value of an outcome; its fault, if any, raised first with the return
// address of the raising operation.
inline SoftExtended raised(Outcome outcome, const void* returnAddress) {
  if (outcome.flags != 0) raiseFault(faultOf(outcome.flags), returnAddress);
  return outcome.value();
}

}  // namespace Arithmetic::Parts
