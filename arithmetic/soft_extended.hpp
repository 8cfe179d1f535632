// An 80-bit extended floating-point number computed in software, bit for bit
// as the x87 unit computes it under the program's control word: a 64-bit
// significand with an explicit integer bit, a 15-bit exponent biased by
// 16383, rounding to nearest even, gradual underflow, and invalid operation,
// division by zero and overflow as faults (see arithmetic_fault.hpp).
//
// Two forms of every operation that can fault: the operators and functions
// of namespace Arithmetic raise the fault, and those of Arithmetic::Flagged
// return the x87's masked result (infinity, the default NaN, the integer
// indefinite) with the exception flags that the operation sets.
#pragma once

#include <bit>
#include <compare>
#include <concepts>
#include <cstdint>
#include <type_traits>

#include "arithmetic/arithmetic_fault.hpp"

namespace Arithmetic {

// The 128-bit IEEE binary format: a type of its own beside the x87's long
// double, or long double itself where long double is that format.
#if __LDBL_MANT_DIG__ == 64
__extension__ using Binary128 = __float128;
#elif __LDBL_MANT_DIG__ == 113
using Binary128 = long double;
#else
#error "long double is neither the x87 extended format nor the 128-bit IEEE format"
#endif

// std::bit_cast, which the C++ library of the WebAssembly build lacks.
template <class To, class From>
constexpr To bitCast(const From& from) {
  return __builtin_bit_cast(To, from);
}

// Exception flags of an operation, at the bits the x87 status word has them.
using FaultFlags = std::uint16_t;
inline constexpr FaultFlags kInvalidFlag = 0x01;
inline constexpr FaultFlags kDivisionByZeroFlag = 0x04;
inline constexpr FaultFlags kOverflowFlag = 0x08;

// The integer types a number truncates to, each as GCC converts a long
// double to it on x86-64.
template <class Integer>
concept TruncationTarget = std::same_as<Integer, short> || std::same_as<Integer, int> ||
    std::same_as<Integer, long> || std::same_as<Integer, long long> ||
    std::same_as<Integer, unsigned short> || std::same_as<Integer, unsigned> ||
    std::same_as<Integer, unsigned long> || std::same_as<Integer, unsigned long long>;

class SoftExtended {
 public:
  std::uint64_t significand;      // the integer bit at bit 63, the fraction below it
  std::uint16_t signAndExponent;  // the sign at bit 15, the biased exponent below it

  SoftExtended() = default;
  static constexpr SoftExtended fromBits(std::uint16_t signAndExponent, std::uint64_t significand);

  // Exact, as the x87 loads a double; a signalling NaN raises invalid
  // operation at the caller.
  [[gnu::always_inline]] constexpr SoftExtended(double value);
  // Exact, as the x87 loads an integer.
  template <std::integral Integer>
  constexpr SoftExtended(Integer value);
#if __LDBL_MANT_DIG__ == 64
  // The x87's own numbers: the same bits.
  constexpr SoftExtended(long double value);
  explicit constexpr operator long double() const;
  // Rounded once; raises overflow, and invalid operation for a signalling NaN.
  explicit SoftExtended(Binary128 value);
#else
  // Rounded once, so that a long double literal (in the 128-bit format here)
  // is the x87's literal, at compile time; raises overflow, and invalid
  // operation for a signalling NaN.
  [[gnu::always_inline]] constexpr SoftExtended(Binary128 value);
#endif

  // Exact; raises invalid operation for a signalling NaN.
  explicit operator Binary128() const;
  // Rounded once to double, as the x87 stores a double.
  explicit operator double() const;
  // Truncated, as GCC converts a long double to the integer type on x86-64;
  // raises invalid operation where that conversion does.
  template <TruncationTarget Integer>
  explicit operator Integer() const;
};

// Sixteen bytes, as long double on x86-64: the x87's ten, then padding.
static_assert(sizeof(SoftExtended) == 16 && std::is_trivially_copyable_v<SoftExtended>);

namespace Flagged {

// An extended result and the exception flags of the operation that made it.
struct Outcome {
  std::uint64_t significand;
  std::uint16_t signAndExponent;
  FaultFlags flags;
  constexpr SoftExtended value() const {
    return SoftExtended::fromBits(signAndExponent, significand);
  }
};

struct DoubleOutcome {
  double value;
  FaultFlags flags;
};

struct Binary128Outcome {
  Binary128 value;
  FaultFlags flags;
};

template <TruncationTarget Integer>
struct IntegerOutcome {
  Integer value;
  FaultFlags flags;
};

// The significand in [0.5, 1) and the power of two of frexp.
struct FractionAndExponent {
  Outcome fraction;
  int exponent;
};

Outcome add(SoftExtended a, SoftExtended b);
Outcome subtract(SoftExtended a, SoftExtended b);
Outcome multiply(SoftExtended a, SoftExtended b);
Outcome divide(SoftExtended a, SoftExtended b);
Outcome squareRoot(SoftExtended x);
Outcome floor(SoftExtended x);
FractionAndExponent frexp(SoftExtended x);
Outcome ldexp(SoftExtended x, int exponent);

constexpr Outcome widened(double value);
constexpr Outcome fromBinary128(Binary128 value);
Binary128Outcome toBinary128(SoftExtended x);
DoubleOutcome toDouble(SoftExtended x);
template <TruncationTarget Integer>
IntegerOutcome<Integer> truncated(SoftExtended x);

}  // namespace Flagged

// The raising operations: a fault goes to the handler with the return
// address into the caller.
SoftExtended operator+(SoftExtended a, SoftExtended b);
SoftExtended operator-(SoftExtended a, SoftExtended b);
SoftExtended operator*(SoftExtended a, SoftExtended b);
SoftExtended operator/(SoftExtended a, SoftExtended b);
SoftExtended sqrt(SoftExtended x);
SoftExtended floor(SoftExtended x);
SoftExtended frexp(SoftExtended x, int* exponent);
SoftExtended ldexp(SoftExtended x, int exponent);

// Raises fault with the return address into the function that calls this
// one: the caller of an operation inlined there.
[[noreturn]] void raiseAtCaller(Fault fault);

// The compound assignments are inlined, so that a fault of their operation
// is reported at the assignment.
[[gnu::always_inline]] inline SoftExtended& operator+=(SoftExtended& a, SoftExtended b) {
  return a = a + b;
}
[[gnu::always_inline]] inline SoftExtended& operator-=(SoftExtended& a, SoftExtended b) {
  return a = a - b;
}
[[gnu::always_inline]] inline SoftExtended& operator*=(SoftExtended& a, SoftExtended b) {
  return a = a * b;
}
[[gnu::always_inline]] inline SoftExtended& operator/=(SoftExtended& a, SoftExtended b) {
  return a = a / b;
}

// The operations that never fault: the sign bit alone changes, as with the
// x87's fchs and fabs, NaNs included.
inline constexpr std::uint16_t kSignBit = 0x8000;
constexpr SoftExtended operator-(SoftExtended x) {
  return SoftExtended::fromBits(static_cast<std::uint16_t>(x.signAndExponent ^ kSignBit),
                                x.significand);
}
constexpr SoftExtended operator+(SoftExtended x) { return x; }
constexpr SoftExtended fabs(SoftExtended x) {
  return SoftExtended::fromBits(static_cast<std::uint16_t>(x.signAndExponent & ~kSignBit),
                                x.significand);
}
constexpr bool signbit(SoftExtended x) { return (x.signAndExponent & kSignBit) != 0; }

// Comparisons by value: -0 equals +0, and a NaN (or an encoding the x87 does
// not support) is unordered, equal to nothing, itself included. They raise
// nothing: no NaN reaches them, since making one faults.
constexpr std::partial_ordering operator<=>(SoftExtended a, SoftExtended b);
constexpr bool operator==(SoftExtended a, SoftExtended b) { return (a <=> b) == 0; }

// ---------------------------------------------------------------------------
// The exact conversions, usable in constant expressions.

namespace Encoding {

inline constexpr int kBias = 16383;
inline constexpr std::uint16_t kExponentMask = 0x7FFF;
inline constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
inline constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;

inline constexpr int kInfinityExponent = kExponentMask;

__extension__ using Uint128 = unsigned __int128;
inline constexpr int kBinary128FractionBits = 112;
inline constexpr Uint128 kBinary128FractionMask = (Uint128{1} << kBinary128FractionBits) - 1;
inline constexpr Uint128 kBinary128QuietBit = Uint128{1} << 111;
// How far the extended significand's fraction lies above the 128-bit format's.
inline constexpr int kBinary128Widening = kBinary128FractionBits - 63;

constexpr std::uint16_t signField(bool negative) { return negative ? kSignBit : 0; }

constexpr int countlZero(Uint128 x) {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  if (high != 0) return std::countl_zero(high);
  return 64 + std::countl_zero(static_cast<std::uint64_t>(x));
}

constexpr Flagged::Outcome exact(std::uint16_t signAndExponent, std::uint64_t significand) {
  return {significand, signAndExponent, 0};
}
constexpr Flagged::Outcome zero(bool negative) { return exact(signField(negative), 0); }
constexpr Flagged::Outcome infinity(bool negative, FaultFlags flags = 0) {
  return {kIntegerBit, static_cast<std::uint16_t>(signField(negative) | kInfinityExponent), flags};
}

// x / 2^shift, shift at least 1, rounded to nearest even.
constexpr Uint128 roundedShift(Uint128 x, int shift) {
  if (shift > 128) return 0;
  const Uint128 half = Uint128{1} << (shift - 1);
  if (shift == 128) return x > half ? 1 : 0;
  const Uint128 quotient = x >> shift;
  const Uint128 remainder = x & ((half << 1) - 1);
  const bool roundsUp = remainder > half || (remainder == half && (quotient & 1) != 0);
  return quotient + (roundsUp ? 1 : 0);
}

// The number significand / 2^127 × 2^(exponent - bias), significand's bit
// 127 set, rounded once to nearest even: to 64 bits where the exponent is at
// least 1, below that to the bits that the smallest exponent leaves
// (gradual underflow). Beyond the largest finite number: infinity and
// overflow.
constexpr Flagged::Outcome rounded(bool negative, Uint128 significand, int exponent) {
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

// A NaN operand made quiet; a signalling one raises invalid operation.
constexpr Flagged::Outcome quieted(SoftExtended nan);

constexpr Fault faultOf(FaultFlags flags) {
  if ((flags & kInvalidFlag) != 0) return Fault::invalidOperation;
  if ((flags & kDivisionByZeroFlag) != 0) return Fault::divisionByZero;
  return Fault::overflow;
}

// A non-zero magnitude as the number magnitude × 2^scale.
constexpr Flagged::Outcome normalized(bool negative, std::uint64_t magnitude, int scale) {
  const int leadingZeros = std::countl_zero(magnitude);
  const int exponent = kBias + 63 - leadingZeros + scale;
  return {magnitude << leadingZeros, static_cast<std::uint16_t>(signField(negative) | exponent), 0};
}

constexpr Flagged::Outcome fromInteger(bool negative, std::uint64_t magnitude) {
  if (magnitude == 0) return {0, 0, 0};
  return normalized(negative, magnitude, 0);
}

// Neither a NaN nor an encoding that the x87 rejects as invalid (a zero
// integer bit with a non-zero exponent).
constexpr bool isOrdered(SoftExtended x) {
  const unsigned exponent = x.signAndExponent & kExponentMask;
  if (exponent == 0) return true;
  if ((x.significand & kIntegerBit) == 0) return false;
  return exponent != kExponentMask || x.significand == kIntegerBit;
}

// The magnitude as one number that orders as the values do; a pseudo-denormal
// (a zero exponent with the integer bit set) has the value of exponent 1.
__extension__ using MagnitudeKey = unsigned __int128;
constexpr MagnitudeKey magnitudeKey(SoftExtended x) {
  unsigned exponent = x.signAndExponent & kExponentMask;
  if (exponent == 0 && (x.significand & kIntegerBit) != 0) exponent = 1;
  return (static_cast<MagnitudeKey>(exponent) << 64) | x.significand;
}

}  // namespace Encoding

constexpr SoftExtended SoftExtended::fromBits(std::uint16_t signAndExponent,
                                              std::uint64_t significand) {
  SoftExtended x;
  x.significand = significand;
  x.signAndExponent = signAndExponent;
  return x;
}

constexpr Flagged::Outcome Flagged::widened(double value) {
  using namespace Encoding;
  const auto bits = bitCast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint16_t sign = signField(negative);
  if (exponent == 0) {
    if (fraction == 0) return {0, sign, 0};
    return normalized(negative, fraction, -1074);
  }
  if (exponent == 0x7FF) {
    const std::uint64_t significand = kIntegerBit | (fraction << 11);
    const bool signalling = fraction != 0 && (significand & kQuietBit) == 0;
    return {signalling ? significand | kQuietBit : significand,
            static_cast<std::uint16_t>(sign | kExponentMask),
            signalling ? kInvalidFlag : FaultFlags{0}};
  }
  return {kIntegerBit | (fraction << 11),
          static_cast<std::uint16_t>(sign | (exponent - 1023 + kBias)), 0};
}

constexpr SoftExtended::SoftExtended(double value) {
  const Flagged::Outcome outcome = Flagged::widened(value);
  if (outcome.flags != 0) raiseAtCaller(Fault::invalidOperation);
  *this = outcome.value();
}

template <std::integral Integer>
constexpr SoftExtended::SoftExtended(Integer value) {
  const auto bits = static_cast<std::uint64_t>(value);
  bool negative = false;
  if constexpr (std::signed_integral<Integer>) negative = value < 0;
  *this = Encoding::fromInteger(negative, negative ? 0 - bits : bits).value();
}

#if __LDBL_MANT_DIG__ == 64
namespace Encoding {
// long double in memory: the significand, then the sign and exponent, then padding.
struct LongDoubleBytes {
  unsigned char bytes[sizeof(long double)];
};
}  // namespace Encoding

constexpr SoftExtended::SoftExtended(long double value) {
  if (!std::is_constant_evaluated()) {
    // The same bytes, which the compiler folds for a literal.
    __builtin_memcpy(&significand, &value, sizeof significand);
    __builtin_memcpy(&signAndExponent, reinterpret_cast<const char*>(&value) + 8,
                     sizeof signAndExponent);
    return;
  }
  const auto memory = bitCast<Encoding::LongDoubleBytes>(value);
  significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | memory.bytes[i];
  signAndExponent = static_cast<std::uint16_t>(memory.bytes[8] | (memory.bytes[9] << 8));
}

constexpr SoftExtended::operator long double() const {
  Encoding::LongDoubleBytes memory{};
  for (int i = 0; i < 8; ++i) memory.bytes[i] = static_cast<unsigned char>(significand >> (8 * i));
  memory.bytes[8] = static_cast<unsigned char>(signAndExponent);
  memory.bytes[9] = static_cast<unsigned char>(signAndExponent >> 8);
  return bitCast<long double>(memory);
}
#endif

constexpr Flagged::Outcome Encoding::quieted(SoftExtended nan) {
  const bool signalling = (nan.significand & kQuietBit) == 0;
  return {nan.significand | kQuietBit, nan.signAndExponent,
          signalling ? kInvalidFlag : FaultFlags{0}};
}

// The two formats share the exponent range and bias: only the rounding of
// 113 bits to 64 can overflow.
constexpr Flagged::Outcome Flagged::fromBinary128(Binary128 value) {
  using namespace Encoding;
  const auto bits = bitCast<Uint128>(value);
  const bool negative = (bits >> 127) != 0;
  const auto exponent = static_cast<int>((bits >> kBinary128FractionBits) & kExponentMask);
  const Uint128 fraction = bits & kBinary128FractionMask;
  if (exponent == kInfinityExponent) {
    if (fraction == 0) return infinity(negative);
    const auto nan = SoftExtended::fromBits(
        static_cast<std::uint16_t>(signField(negative) | kInfinityExponent),
        kIntegerBit | static_cast<std::uint64_t>(fraction >> kBinary128Widening));
    return (fraction & kBinary128QuietBit) != 0 ? exact(nan.signAndExponent, nan.significand)
                                                : quieted(nan);
  }
  if (exponent == 0) {
    if (fraction == 0) return zero(negative);
    const int leadingZeros = countlZero(fraction);
    return rounded(negative, fraction << leadingZeros, 16 - leadingZeros);
  }
  return rounded(negative, (fraction | (Uint128{1} << kBinary128FractionBits)) << 15, exponent);
}

#if __LDBL_MANT_DIG__ != 64
constexpr SoftExtended::SoftExtended(Binary128 value) {
  const Flagged::Outcome outcome = Flagged::fromBinary128(value);
  if (outcome.flags != 0) raiseAtCaller(Encoding::faultOf(outcome.flags));
  *this = outcome.value();
}
#endif

constexpr std::partial_ordering operator<=>(SoftExtended a, SoftExtended b) {
  using namespace Encoding;
  if (!isOrdered(a) || !isOrdered(b)) return std::partial_ordering::unordered;
  const MagnitudeKey magnitudeA = magnitudeKey(a);
  const MagnitudeKey magnitudeB = magnitudeKey(b);
  if (magnitudeA == 0 && magnitudeB == 0) return std::partial_ordering::equivalent;
  if (signbit(a) != signbit(b)) {
    return signbit(a) ? std::partial_ordering::less : std::partial_ordering::greater;
  }
  return signbit(a) ? magnitudeB <=> magnitudeA : magnitudeA <=> magnitudeB;
}

}  // namespace Arithmetic
