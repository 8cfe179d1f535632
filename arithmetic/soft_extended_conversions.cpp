// The conversions that can round or fault: to double, to the integer types,
// and from and to the 128-bit binary format.
#include <limits>
#include <type_traits>

#include "arithmetic/extended_parts.hpp"

namespace Arithmetic {
namespace {

using namespace Parts;

constexpr int kDoubleBias = 1023;
constexpr int kDoubleInfinityExponent = 0x7FF;
constexpr std::uint64_t kDoubleSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kDoubleFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kDoubleQuietBit = std::uint64_t{1} << 51;
constexpr std::uint64_t kDoubleInfinity = std::uint64_t{kDoubleInfinityExponent} << 52;

Flagged::DoubleOutcome doubleOf(std::uint64_t bits, FaultFlags flags) {
  return {bitCast<double>(bits), flags};
}

// Rounded once to 53 bits, or to the bits of a double denormal.
Flagged::DoubleOutcome doubleOfFinite(Unpacked x) {
  const std::uint64_t sign = x.negative ? kDoubleSignBit : 0;
  const int exponent = x.exponent - kBias + kDoubleBias;
  const Flagged::DoubleOutcome overflow = doubleOf(sign | kDoubleInfinity, kOverflowFlag);
  if (exponent >= kDoubleInfinityExponent) return overflow;
  const Uint128 significand = static_cast<Uint128>(x.significand) << 64;
  if (exponent < 1) {
    // A carry into bit 52 makes it the smallest normal double.
    return doubleOf(sign | static_cast<std::uint64_t>(roundedShift(significand, 76 - exponent)), 0);
  }
  // The integer bit, added to the exponent field less one, lets a carry of
  // the rounding raise the exponent.
  const std::uint64_t bits = (static_cast<std::uint64_t>(exponent - 1) << 52) +
                             static_cast<std::uint64_t>(roundedShift(significand, 75));
  if (bits >= kDoubleInfinity) return overflow;
  return doubleOf(sign | bits, 0);
}

// The integer that an x87 fistp of the given width stores under truncation:
// out of the width's range (infinities and NaNs too) the integer indefinite,
// its smallest value, and invalid operation.
struct StoredInteger {
  std::int64_t value;
  FaultFlags flags;
};

StoredInteger storedInteger(SoftExtended x, int width) {
  const StoredInteger indefinite{std::numeric_limits<std::int64_t>::min() >> (64 - width),
                                 kInvalidFlag};
  const Kind kind = kindOf(x);
  if (kind == Kind::zero) return {0, 0};
  if (kind != Kind::finite) return indefinite;
  const Unpacked u = unpacked(x);
  const int unbiased = u.exponent - kBias;
  if (unbiased < 0) return {0, 0};
  if (unbiased > 63) return indefinite;
  const std::uint64_t magnitude = u.significand >> (63 - unbiased);
  const std::uint64_t limit = (std::uint64_t{1} << (width - 1)) - (u.negative ? 0 : 1);
  if (magnitude > limit) return indefinite;
  const std::uint64_t bits = u.negative ? 0 - magnitude : magnitude;
  return {static_cast<std::int64_t>(bits), 0};
}

// GCC's unsigned 64-bit conversion: from 2^63 up, 2^63 is subtracted before
// the signed store and bit 63 flipped after it (so 2^64 and above give 0);
// below 2^63, and for NaNs, the signed store alone.
StoredInteger storedUnsigned64(SoftExtended x) {
  const SoftExtended twoTo63 = SoftExtended::fromBits(kBias + 63, kIntegerBit);
  if (!isOrdered(x) || x < twoTo63) return storedInteger(x, 64);
  const Unpacked u = unpacked(x);
  if (u.exponent - kBias > 63) return {0, kInvalidFlag};
  return {static_cast<std::int64_t>(u.significand), 0};
}

}  // namespace

Flagged::DoubleOutcome Flagged::toDouble(SoftExtended x) {
  const Kind kind = kindOf(x);
  const std::uint64_t sign = signbit(x) ? kDoubleSignBit : 0;
  switch (kind) {
    case Kind::zero: return doubleOf(sign, 0);
    case Kind::infinity: return doubleOf(sign | kDoubleInfinity, 0);
    case Kind::finite: return doubleOfFinite(unpacked(x));
    case Kind::unsupported:
      return doubleOf(kDoubleSignBit | kDoubleInfinity | kDoubleQuietBit, kInvalidFlag);
    case Kind::quietNaN:
    case Kind::signalingNaN: break;
  }
  const Outcome quiet = quieted(x);
  return doubleOf(sign | kDoubleInfinity | ((quiet.significand >> 11) & kDoubleFractionMask),
                  quiet.flags);
}

template <TruncationTarget Integer>
Flagged::IntegerOutcome<Integer> Flagged::truncated(SoftExtended x) {
  constexpr int kBits = std::numeric_limits<Integer>::digits + (std::is_signed_v<Integer> ? 1 : 0);
  StoredInteger stored{};
  if constexpr (std::is_signed_v<Integer>) {
    stored = storedInteger(x, kBits);
  } else if constexpr (kBits < 64) {
    // GCC stores a signed integer twice as wide and keeps its low half.
    stored = storedInteger(x, 2 * kBits);
  } else {
    stored = storedUnsigned64(x);
  }
  return {static_cast<Integer>(stored.value), stored.flags};
}

template Flagged::IntegerOutcome<short> Flagged::truncated(SoftExtended);
template Flagged::IntegerOutcome<int> Flagged::truncated(SoftExtended);
template Flagged::IntegerOutcome<long> Flagged::truncated(SoftExtended);
template Flagged::IntegerOutcome<long long> Flagged::truncated(SoftExtended);
template Flagged::IntegerOutcome<unsigned short> Flagged::truncated(SoftExtended);
template Flagged::IntegerOutcome<unsigned> Flagged::truncated(SoftExtended);
template Flagged::IntegerOutcome<unsigned long> Flagged::truncated(SoftExtended);
template Flagged::IntegerOutcome<unsigned long long> Flagged::truncated(SoftExtended);

Flagged::Binary128Outcome Flagged::toBinary128(SoftExtended x) {
  const Kind kind = kindOf(x);
  const Uint128 sign = static_cast<Uint128>(signbit(x)) << 127;
  const Uint128 infinityBits = static_cast<Uint128>(kInfinityExponent) << kBinary128FractionBits;
  const auto exponent = static_cast<unsigned>(x.signAndExponent & kExponentMask);
  const Uint128 significand = static_cast<Uint128>(x.significand) << kBinary128Widening;
  Uint128 bits = 0;
  FaultFlags flags = 0;
  switch (kind) {
    case Kind::zero: bits = sign; break;
    case Kind::infinity: bits = sign | infinityBits; break;
    case Kind::finite:
      // The integer bit, added to the exponent field less one, restores it.
      bits = sign |
             (exponent == 0
                  ? significand
                  : (static_cast<Uint128>(exponent - 1) << kBinary128FractionBits) + significand);
      break;
    case Kind::unsupported:
      bits = (Uint128{1} << 127) | infinityBits | kBinary128QuietBit;
      flags = kInvalidFlag;
      break;
    case Kind::quietNaN:
    case Kind::signalingNaN: {
      const Outcome quiet = quieted(x);
      const Uint128 fraction = static_cast<Uint128>(quiet.significand & ~kIntegerBit)
                               << kBinary128Widening;
      bits = sign | infinityBits | fraction;
      flags = quiet.flags;
      break;
    }
  }
  return {bitCast<Binary128>(bits), flags};
}

#if __LDBL_MANT_DIG__ == 64
ARITHMETIC_OUT_OF_LINE SoftExtended::SoftExtended(Binary128 value) {
  *this = raised(Flagged::fromBinary128(value), RETURN_ADDRESS());
}
#endif

ARITHMETIC_OUT_OF_LINE SoftExtended::operator Binary128() const {
  const Flagged::Binary128Outcome outcome = Flagged::toBinary128(*this);
  if (outcome.flags != 0) raiseFault(faultOf(outcome.flags), RETURN_ADDRESS());
  return outcome.value;
}

ARITHMETIC_OUT_OF_LINE SoftExtended::operator double() const {
  const Flagged::DoubleOutcome outcome = Flagged::toDouble(*this);
  if (outcome.flags != 0) raiseFault(faultOf(outcome.flags), RETURN_ADDRESS());
  return outcome.value;
}

template <TruncationTarget Integer>
ARITHMETIC_OUT_OF_LINE SoftExtended::operator Integer() const {
  const Flagged::IntegerOutcome<Integer> outcome = Flagged::truncated<Integer>(*this);
  if (outcome.flags != 0) raiseFault(faultOf(outcome.flags), RETURN_ADDRESS());
  return outcome.value;
}

template SoftExtended::operator short() const;
template SoftExtended::operator int() const;
template SoftExtended::operator long() const;
template SoftExtended::operator long long() const;
template SoftExtended::operator unsigned short() const;
template SoftExtended::operator unsigned() const;
template SoftExtended::operator unsigned long() const;
template SoftExtended::operator unsigned long long() const;

}  // namespace Arithmetic
