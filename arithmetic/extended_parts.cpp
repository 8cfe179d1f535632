#include "arithmetic/extended_parts.hpp"

namespace Arithmetic::Parts {

Outcome nanResult(SoftExtended a, Kind kindA, SoftExtended b, Kind kindB) {
  if (kindA == Kind::unsupported || kindB == Kind::unsupported) return invalid();
  if (!isNaN(kindB)) return quieted(a);
  if (!isNaN(kindA)) return quieted(b);
  const FaultFlags flags =
      kindA == Kind::signalingNaN || kindB == Kind::signalingNaN ? kInvalidFlag : FaultFlags{0};
  SoftExtended chosen = a;
  if (kindA != kindB) {
    chosen = kindA == Kind::quietNaN ? a : b;
  } else if (b.significand > a.significand || (b.significand == a.significand && !signbit(b))) {
    chosen = b;
  }
  return {chosen.significand | kQuietBit, chosen.signAndExponent, flags};
}

Outcome nanResult(SoftExtended x, Kind kind) {
  if (kind == Kind::unsupported) return invalid();
  return quieted(x);
}

Uint128 roundedShift(Uint128 x, int shift) {
  if (shift > 128) return 0;
  const Uint128 half = Uint128{1} << (shift - 1);
  if (shift == 128) return x > half ? 1 : 0;
  const Uint128 quotient = x >> shift;
  const Uint128 remainder = x & ((half << 1) - 1);
  const bool roundsUp = remainder > half || (remainder == half && (quotient & 1) != 0);
  return quotient + (roundsUp ? 1 : 0);
}

Outcome rounded(bool negative, Uint128 significand, int exponent) {
  const std::uint16_t sign = signField(negative);
  if (exponent < 1) {
    // Gradual underflow: a denormal, or the smallest normal number when the
    // rounding carries into the integer bit, whose exponent is then 1.
    const auto denormal = static_cast<std::uint64_t>(roundedShift(significand, 65 - exponent));
    return exact(static_cast<std::uint16_t>(sign | (denormal >> 63)), denormal);
  }
  auto high = static_cast<std::uint64_t>(significand >> 64);
  const auto low = static_cast<std::uint64_t>(significand);
  const bool roundsUp = low > kIntegerBit || (low == kIntegerBit && (high & 1) != 0);
  if (roundsUp && ++high == 0) {
    high = kIntegerBit;
    ++exponent;
  }
  if (exponent >= kInfinityExponent) return infinity(negative, kOverflowFlag);
  return exact(static_cast<std::uint16_t>(sign | exponent), high);
}

}  // namespace Arithmetic::Parts
