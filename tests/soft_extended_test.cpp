// The software extended arithmetic against the x87 itself: every operation
// and conversion on operands drawn to hit the hard cases (ties, gradual
// underflow, the largest values, signed zeros, denormal operands, integer
// and double boundaries), compared bit for bit with the x87 computing the
// same under the program's control word, its exceptions masked and read from
// the status word. TANSHUKU_SOFT_EXTENDED_PAIRS asks for another number of
// operand sets per operation. Also: a fault is reported with an address in
// the operation's caller, that of the maths functions evaluated in the
// 128-bit format (wide_maths.hpp) too, and every long double literal of the
// program comes out the same where long double is the 128-bit format.
#include "arithmetic/soft_extended.hpp"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "arithmetic/binary128_exp_log.hpp"
#include "arithmetic/wide_maths.hpp"

namespace {

using Arithmetic::Binary128;
using Arithmetic::Fault;
using Arithmetic::FaultFlags;
using Arithmetic::SoftExtended;
namespace Flagged = Arithmetic::Flagged;
__extension__ using Uint128 = unsigned __int128;

#ifdef TANSHUKU_SANITIZE
constexpr long kDefaultPairs = 100000;  // about ten times slower with the sanitizers
#else
constexpr long kDefaultPairs = 1000000;
#endif
constexpr int kBias = 16383;
constexpr int kLargestExponent = 0x7FFE;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kAllOnes = ~std::uint64_t{0};
// The invalid-operation, division-by-zero and overflow flags, at the same
// bits in the x87 status word, the SSE status register and FaultFlags.
constexpr unsigned kFaultFlags = 0x0D;

// ---------------------------------------------------------------------------
// What an operation gave: its value's bits and its fault flags.

struct Observed {
  Uint128 bits;
  unsigned flags;
  bool operator==(const Observed&) const = default;
};

Uint128 bitsOf(SoftExtended x) {
  return (static_cast<Uint128>(x.signAndExponent) << 64) | x.significand;
}
Uint128 bitsOf(long double x) {
  std::uint64_t significand = 0;
  std::uint16_t signAndExponent = 0;
  std::memcpy(&significand, &x, 8);
  std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&x) + 8, 2);
  return (static_cast<Uint128>(signAndExponent) << 64) | significand;
}
Uint128 bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }
Uint128 bitsOf(Binary128 x) { return std::bit_cast<Uint128>(x); }
template <std::integral Integer>
Uint128 bitsOf(Integer x) {
  return static_cast<std::uint64_t>(x);
}

Observed observed(Flagged::Outcome outcome) { return {bitsOf(outcome.value()), outcome.flags}; }
Observed observed(Flagged::DoubleOutcome outcome) { return {bitsOf(outcome.value), outcome.flags}; }
Observed observed(Flagged::Binary128Outcome outcome) {
  return {bitsOf(outcome.value), outcome.flags};
}
template <class Integer>
Observed observed(Flagged::IntegerOutcome<Integer> outcome) {
  return {bitsOf(outcome.value), outcome.flags};
}

std::string hex(Uint128 bits) {
  char text[40];
  std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(bits >> 64),
                static_cast<unsigned long long>(bits));
  return text;
}
std::string shown(Observed x) { return hex(x.bits) + " flags " + std::to_string(x.flags); }
std::string shown(SoftExtended x) { return hex(bitsOf(x)).substr(12); }

long double asLongDouble(SoftExtended x) { return static_cast<long double>(x); }

// ---------------------------------------------------------------------------
// The x87 side: the program's control word with every exception masked.

class MaskedExceptions {
 public:
  MaskedExceptions() {
    asm volatile("fnstcw %0\n\tstmxcsr %1" : "=m"(savedControl_), "=m"(savedSse_));
    const std::uint16_t control = 0x037F;  // 64-bit precision, to nearest, all masked
    const std::uint32_t sse = 0x1F80;
    asm volatile("fldcw %0\n\tldmxcsr %1" : : "m"(control), "m"(sse));
  }
  ~MaskedExceptions() {
    asm volatile("fldcw %0\n\tldmxcsr %1" : : "m"(savedControl_), "m"(savedSse_));
  }
  MaskedExceptions(const MaskedExceptions&) = delete;
  MaskedExceptions& operator=(const MaskedExceptions&) = delete;

 private:
  std::uint16_t savedControl_ = 0;
  std::uint32_t savedSse_ = 0;
};

enum class Operation { add, subtract, multiply, divide, squareRoot };

Observed x87Operation(Operation operation, long double a, long double b) {
  long double result;
  std::uint16_t status;
#define X87_TWO_OPERANDS(instruction)                                                  \
  asm volatile("fnclex\n\tfldt %[b]\n\tfldt %[a]\n\t" instruction                      \
               " %%st(1), %%st\n\tfstpt %[result]\n\tfstp %%st(0)\n\tfnstsw %[status]" \
               : [result] "=m"(result), [status] "=m"(status)                          \
               : [a] "m"(a), [b] "m"(b)                                                \
               : "st", "st(1)")
  switch (operation) {
    case Operation::add: X87_TWO_OPERANDS("fadd"); break;
    case Operation::subtract: X87_TWO_OPERANDS("fsub"); break;
    case Operation::multiply: X87_TWO_OPERANDS("fmul"); break;
    case Operation::divide: X87_TWO_OPERANDS("fdiv"); break;
    case Operation::squareRoot:
      asm volatile("fnclex\n\tfldt %[a]\n\tfsqrt\n\tfstpt %[result]\n\tfnstsw %[status]"
                   : [result] "=m"(result), [status] "=m"(status)
                   : [a] "m"(a)
                   : "st");
      break;
  }
#undef X87_TWO_OPERANDS
  return {bitsOf(result), status & kFaultFlags};
}

// The bits of the result, and its sign bit as std::signbit reads it.
Observed x87SignChange(long double x, bool absolute) {
  long double result;
  if (absolute) {
    asm volatile("fldt %[x]\n\tfabs\n\tfstpt %[result]"
                 : [result] "=m"(result)
                 : [x] "m"(x)
                 : "st");
  } else {
    asm volatile("fldt %[x]\n\tfchs\n\tfstpt %[result]"
                 : [result] "=m"(result)
                 : [x] "m"(x)
                 : "st");
  }
  return {bitsOf(result), std::signbit(result) ? 1u : 0u};
}

// What the compiler and the C library do, each out of the optimiser's reach
// so that it runs between clearing and reading the flags. GCC converts to
// and from double with fstp and fld, to integers as the program's
// conversions do, and to and from binary128 in its runtime.
template <class To, class From>
[[gnu::noipa]] To compilerConversion(From x) {
  return static_cast<To>(x);
}
[[gnu::noipa]] long double compilerFloor(long double x) { return std::floor(x); }
struct Frexp {
  long double fraction;
  int exponent;
};
[[gnu::noipa]] Frexp libraryFrexp(long double x) {
  int exponent = 0;
  const long double fraction = std::frexp(x, &exponent);
  return {fraction, exponent};
}
[[gnu::noipa]] long double libraryLdexp(long double x, int exponent) {
  return std::ldexp(x, exponent);
}
// The flags that function raises, on the x87 or (the 128-bit conversions of
// the compiler's runtime) in the SSE status register.
template <class Function>
auto withFlags(Function function) {
  std::uint32_t sse = 0x1F80;
  asm volatile("fnclex\n\tldmxcsr %0" : : "m"(sse) : "memory");
  const auto result = function();
  std::uint16_t status = 0;
  asm volatile("fnstsw %0\n\tstmxcsr %1" : "=m"(status), "=m"(sse) : : "memory");
  return std::pair{result, (status | sse) & kFaultFlags};
}

// ---------------------------------------------------------------------------
// Operands drawn to hit the hard cases.

class Operands {
 public:
  explicit Operands(std::uint64_t seed) : state_(seed) {}

  std::uint64_t bits() {  // SplitMix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  int below(int count) { return static_cast<int>(bits() % static_cast<std::uint64_t>(count)); }
  int between(int low, int high) { return low + below(high - low + 1); }
  bool chance(int percent) { return below(100) < percent; }

  // Significand bits, the integer bit left to the caller: random, with runs
  // of zeros or ones at the bottom (ties and near ties at any position),
  // sparse, nearly all ones, or just above a power of two.
  std::uint64_t significandPattern() {
    const int position = below(64);
    const std::uint64_t lowBits = (std::uint64_t{1} << position) - 1;
    switch (below(8)) {
      case 0: return bits() << position;
      case 1: return bits() | lowBits;
      case 2: return (bits() & ~lowBits) | (std::uint64_t{1} << position);
      case 3: return ((bits() & ~lowBits) | (lowBits >> 1)) + static_cast<std::uint64_t>(below(3));
      case 4: return (std::uint64_t{1} << below(64)) | (std::uint64_t{1} << below(64));
      case 5: return ~(std::uint64_t{1} << below(64));
      case 6: return kIntegerBit | static_cast<std::uint64_t>(below(4));
      default: return bits();
    }
  }

  // An exponent field from the whole range, the denormal range, around 1 or
  // around the largest finite numbers.
  int exponentField() {
    switch (below(6)) {
      case 0: return between(0, kLargestExponent);
      case 1: return between(0, 2);
      case 2: return kBias + between(-70, 70);
      case 3: return kLargestExponent - below(70);
      case 4: return below(140);
      default: return 0;
    }
  }

  SoftExtended withExponent(int field, std::uint64_t significand, bool negative) {
    significand = field == 0 ? significand & ~kIntegerBit : significand | kIntegerBit;
    return SoftExtended::fromBits(static_cast<std::uint16_t>((negative ? 0x8000 : 0) | field),
                                  significand);
  }

  SoftExtended structured() {
    return withExponent(exponentField(), significandPattern(), chance(50));
  }

  // Any operand: special values, random bit patterns (a few of them
  // encodings the x87 rejects, and NaNs), and structured ones.
  SoftExtended any() {
    static constexpr SoftExtended kSpecials[] = {
        SoftExtended::fromBits(0, 0),                                 // +0
        SoftExtended::fromBits(0, 1),                                 // smallest denormal
        SoftExtended::fromBits(0, kIntegerBit - 1),                   // largest denormal
        SoftExtended::fromBits(0, kIntegerBit),                       // pseudo-denormal
        SoftExtended::fromBits(1, kIntegerBit),                       // smallest normal
        SoftExtended::fromBits(kLargestExponent, ~std::uint64_t{0}),  // largest
        SoftExtended::fromBits(0x7FFF, kIntegerBit),                  // infinity
        SoftExtended::fromBits(kBias, kIntegerBit),                   // 1
        SoftExtended::fromBits(0x7FFF, 0xC000000000000000u),          // quiet NaN
        SoftExtended::fromBits(0x7FFF, 0x8000000000000001u),          // signalling NaN
    };
    const int kind = below(100);
    if (kind < 8) {
      const SoftExtended special = kSpecials[below(static_cast<int>(std::size(kSpecials)))];
      return chance(50) ? -special : special;
    }
    if (kind < 11) return SoftExtended::fromBits(static_cast<std::uint16_t>(bits()), bits());
    if (kind < 14) {
      return withExponent(chance(50) ? 0x7FFF : between(0, 0x7FFE), bits(), chance(50));
    }
    if (kind < 30) return withExponent(between(0, kLargestExponent), bits(), chance(50));
    return structured();
  }

  // Any operand in an encoding that the x87 itself makes: the integer bit
  // set exactly where the exponent is not zero.
  SoftExtended canonical() {
    for (;;) {
      const SoftExtended x = any();
      const bool integerBit = (x.significand & kIntegerBit) != 0;
      if (integerBit == ((x.signAndExponent & 0x7FFF) != 0)) return x;
    }
  }

  // A finite number whose significand ends in exactly trailingZeros zeros.
  SoftExtended withTrailingZeros(int field, int trailingZeros, bool negative) {
    return withExponent(field, ((bits() | 1) << trailingZeros) | kIntegerBit, negative);
  }

  // Pairs for + and -: a second operand whose lowest bit lies at the first
  // one's half unit (ties), near in exponent, or the first one's negation
  // with a few bits changed (cancellation).
  std::pair<SoftExtended, SoftExtended> sumPair() {
    const SoftExtended a = any();
    const int field = a.signAndExponent & 0x7FFF;
    const bool normal = field >= 1 && field <= kLargestExponent && (a.significand & kIntegerBit);
    if (!normal) return {a, any()};
    switch (below(4)) {
      case 0: {
        const int trailingZeros = below(64);
        const int fieldB = field - 1 - trailingZeros;
        if (fieldB < 1) return {a, any()};
        return {a, withTrailingZeros(fieldB, trailingZeros, chance(50))};
      }
      case 1: {
        const int distance = chance(50) ? between(-3, 3) : between(-140, 140);
        const int fieldB = std::clamp(field + distance, 0, kLargestExponent);
        return {a, withExponent(fieldB, significandPattern(), chance(50))};
      }
      case 2: {
        const std::uint64_t changed = bits() & ((std::uint64_t{1} << below(64)) - 1);
        return {a, -SoftExtended::fromBits(a.signAndExponent, a.significand ^ changed)};
      }
      default: return {a, any()};
    }
  }

  // Operands whose product or quotient has an exponent field near a target
  // (the denormal range, the largest numbers), with trailing zeros that make
  // ties at the rounding position likely, or with a result just below a
  // power of two (which may round up across the smallest normal or to
  // infinity).
  std::pair<SoftExtended, SoftExtended> aimedPair(bool quotient) {
    if (chance(30)) return {any(), any()};
    int target = 0;
    switch (below(4)) {
      case 0: target = between(-70, 2); break;
      case 1: target = kLargestExponent + between(-2, 2); break;
      case 2: target = kBias + between(-70, 70); break;
      default: target = between(-200, 0x7FFF + 200); break;
    }
    const int fieldA = between(1, kLargestExponent);
    const int fieldB = quotient ? fieldA - target + kBias : target + kBias - fieldA;
    if (fieldB < 1 || fieldB > kLargestExponent) return {any(), any()};
    const int zerosA = below(64);
    const int zerosB = std::clamp(between(61, 127) - zerosA, 0, 63);
    const bool negativeA = chance(50);
    const bool negativeB = chance(50);
    if (chance(20)) {
      const std::uint64_t justBelow = kAllOnes << below(4) >> below(4);
      const std::uint64_t significandB =
          quotient ? justBelow + 1 + static_cast<std::uint64_t>(below(2)) : kIntegerBit;
      return {withExponent(fieldA, justBelow, negativeA),
              withExponent(fieldB, significandB, negativeB)};
    }
    if (chance(50)) {
      return {withTrailingZeros(fieldA, zerosA, negativeA),
              withTrailingZeros(fieldB, zerosB, negativeB)};
    }
    return {withExponent(fieldA, significandPattern(), negativeA),
            withExponent(fieldB, significandPattern(), negativeB)};
  }

  // A quotient that is exactly halfway between two denormals: odd × 2^-16446
  // with odd short enough for the dividend's 64 bits. (Between normal
  // numbers a quotient is never a tie.)
  std::pair<SoftExtended, SoftExtended> denormalTieQuotient() {
    const int oddBits = between(2, 62);
    const int divisorBits = between(1, 64 - oddBits);
    const std::uint64_t odd =
        ((bits() >> (64 - oddBits)) | 1 | (std::uint64_t{1} << (oddBits - 1)));
    const std::uint64_t divisor =
        (bits() >> (64 - divisorBits)) | 1 | (std::uint64_t{1} << (divisorBits - 1));
    const int divisorScale = between(100, 16000);
    const auto dividend =
        Arithmetic::Encoding::normalized(false, odd * divisor, divisorScale - 16446);
    const auto scaledDivisor = Arithmetic::Encoding::normalized(chance(50), divisor, divisorScale);
    return {dividend.value(), scaledDivisor.value()};
  }

  // Radicands whose root lies within about 2^-64 of a midpoint between two
  // extended numbers, or is exact.
  SoftExtended radicand() {
    if (chance(40)) return any();
    const int halfExponent = between(-8000, 8000);
    if (chance(30)) {
      const std::uint64_t root = bits() >> 32;
      return Arithmetic::Encoding::normalized(false, root * root | 1, 2 * halfExponent).value();
    }
    // (root + ½)² - ¼ for a 64-bit root, as the significand of an even
    // power of two where it fits in 64 bits shifted by 63, else of an odd one.
    const std::uint64_t root = bits() | kIntegerBit;
    const Uint128 square = static_cast<Uint128>(root) * root + root;
    const bool odd = (square >> 127) != 0;
    const auto significand = static_cast<std::uint64_t>(square >> (odd ? 64 : 63)) +
                             static_cast<std::uint64_t>(below(3)) - 1;
    return withExponent(kBias + 2 * halfExponent + (odd ? 1 : 0), significand, false);
  }

  // Numbers near the bounds of the integer types: |x| from below 1 to 2^66.
  SoftExtended nearIntegerBounds() {
    if (chance(25)) return any();
    const int unbiased = between(-2, 66);
    std::uint64_t significand = significandPattern();
    if (chance(30)) {
      // 2^k and its neighbours: all ones below the top, or just above it.
      significand = chance(50) ? kIntegerBit + static_cast<std::uint64_t>(below(3))
                               : ~std::uint64_t{0} - static_cast<std::uint64_t>(below(3));
    }
    return withExponent(kBias + unbiased, significand, chance(50));
  }

  // Numbers near the double format's bounds with the last 11 bits a tie or
  // next to one.
  SoftExtended nearDoubleBounds() {
    if (chance(25)) return any();
    int unbiased = 0;
    switch (below(3)) {
      case 0: unbiased = between(-1022 - 66, -1022 + 2); break;
      case 1: unbiased = between(1020, 1024); break;
      default: unbiased = between(-1100, 1100); break;
    }
    std::uint64_t significand = significandPattern();
    if (chance(30)) {  // a double's last bit and a tie below it, give or take one
      significand =
          (significand & ~std::uint64_t{0x7FF}) + 0x400 + static_cast<std::uint64_t>(below(3)) - 1;
    }
    return withExponent(kBias + unbiased, significand, chance(50));
  }

  Binary128 binary128() {
    Uint128 bits128 = (static_cast<Uint128>(bits()) << 64) | bits();
    if (chance(70)) {
      const Uint128 fractionMask = (Uint128{1} << 112) - 1;
      static constexpr std::uint64_t kLowEnds[] = {
          0, std::uint64_t{1} << 48, (std::uint64_t{1} << 48) - 1, (std::uint64_t{1} << 48) + 1};
      std::uint64_t low = bits() & ((std::uint64_t{1} << 49) - 1);
      if (chance(60)) low = kLowEnds[below(4)];
      const int field = chance(10) ? 0x7FFF : exponentField();
      Uint128 fraction = ((bits128 & fractionMask) >> 49 << 49) | low;
      if (chance(10)) fraction |= fractionMask >> 49 << 49;  // just below a power of two
      bits128 = (static_cast<Uint128>(chance(50)) << 127) | (static_cast<Uint128>(field) << 112) |
                fraction;
    }
    return std::bit_cast<Binary128>(bits128);
  }

  double doubleValue() {
    std::uint64_t pattern = bits();
    if (chance(50)) {
      const std::uint64_t fields[] = {0, 0x7FF, 1, 0x7FE,
                                      static_cast<std::uint64_t>(between(0, 0x7FF))};
      pattern = (pattern & ~(std::uint64_t{0x7FF} << 52)) | (fields[below(5)] << 52);
    }
    if (chance(20))
      pattern &= ~((std::uint64_t{1} << below(53)) - 1) | (std::uint64_t{0xFFF} << 52);
    return std::bit_cast<double>(pattern);
  }

  // Shifts that keep the result finite, make it overflow or underflow,
  // land it in the denormal range, or are the int type's extremes.
  int ldexpExponent(SoftExtended x) {
    const int field = x.signAndExponent & 0x7FFF;
    switch (below(6)) {
      case 0: return between(-70, 70);
      case 1: return between(-70, 2) - field;
      case 2: return kLargestExponent + between(-2, 2) - field;
      case 3:
        return chance(50) ? std::numeric_limits<int>::max() - below(3)
                          : std::numeric_limits<int>::min() + below(3);
      case 4: return between(-40000, 40000);
      default: return static_cast<int>(bits());
    }
  }

 private:
  std::uint64_t state_;
};

// ---------------------------------------------------------------------------
// One entry per operation: draws operands, computes both sides, and
// describes any difference.

using Difference = std::optional<std::string>;

Difference compared(const Observed& soft, const Observed& x87, const std::string& operands) {
  if (soft == x87) return std::nullopt;
  return operands + ": soft " + shown(soft) + ", x87 " + shown(x87);
}

// The soft outcome against what reference gives, with the flags it raises.
template <class Reference>
Difference comparedWith(const Observed& soft, Reference reference, const std::string& operands) {
  const auto [value, flags] = withFlags(reference);
  return compared(soft, {bitsOf(value), flags}, operands);
}

Flagged::Outcome softOperation(Operation operation, SoftExtended a, SoftExtended b) {
  switch (operation) {
    case Operation::add: return Flagged::add(a, b);
    case Operation::subtract: return Flagged::subtract(a, b);
    case Operation::multiply: return Flagged::multiply(a, b);
    case Operation::divide: return Flagged::divide(a, b);
    case Operation::squareRoot: break;
  }
  return Flagged::squareRoot(a);
}

Difference checkOperation(Operation operation, std::pair<SoftExtended, SoftExtended> operands) {
  const auto [a, b] = operands;
  return compared(observed(softOperation(operation, a, b)),
                  x87Operation(operation, asLongDouble(a), asLongDouble(b)),
                  shown(a) + ", " + shown(b));
}

template <class Integer>
Difference checkTruncation(Operands& operands) {
  const SoftExtended x = operands.nearIntegerBounds();
  return comparedWith(
      observed(Flagged::truncated<Integer>(x)),
      [&] { return compilerConversion<Integer>(asLongDouble(x)); }, shown(x));
}

template <class Integer>
Difference checkWidening(Operands& operands) {
  const std::uint64_t magnitude = operands.bits() >> operands.below(64);
  const auto value = static_cast<Integer>(operands.chance(50) ? 0 - magnitude : magnitude);
  return compared({bitsOf(SoftExtended{value}), 0}, {bitsOf(static_cast<long double>(value)), 0},
                  std::to_string(value));
}

// Every relation at once, as bits of one number.
unsigned relations(auto a, auto b) {
  const bool holds[] = {(a == b), (a != b), (a < b), (a <= b), (a > b), (a >= b)};
  unsigned bits = 0;
  for (bool relation : holds) bits = bits << 1 | (relation ? 1 : 0);
  return bits;
}

// frexp's fraction, with the exponent above its 80 bits.
Observed observed(Uint128 fraction, int exponent, unsigned flags) {
  return {fraction | static_cast<Uint128>(static_cast<std::uint32_t>(exponent)) << 96, flags};
}

// x, a signalling NaN made quiet: the C libraries' frexp and ldexp treat one
// differently (MinGW's return it unchanged, glibc's quiet it and raise
// invalid operation), and the program never has one.
SoftExtended withoutSignallingNaN(SoftExtended x) {
  const bool nan = (x.signAndExponent & 0x7FFF) == 0x7FFF && (x.significand << 1) != 0;
  if (nan && (x.significand & kIntegerBit) != 0) x.significand |= kIntegerBit >> 1;
  return x;
}

struct OperationCheck {
  const char* name;
  Difference (*check)(Operands&);
};

const OperationCheck kOperations[] = {
    {"add", [](Operands& o) { return checkOperation(Operation::add, o.sumPair()); }},
    {"subtract",
     [](Operands& o) {
       const auto [a, b] = o.sumPair();
       return checkOperation(Operation::subtract, {a, -b});
     }},
    {"multiply",
     [](Operands& o) { return checkOperation(Operation::multiply, o.aimedPair(false)); }},
    {"divide",
     [](Operands& o) {
       return checkOperation(Operation::divide,
                             o.chance(20) ? o.denormalTieQuotient() : o.aimedPair(true));
     }},
    {"sqrt",
     [](Operands& o) {
       return checkOperation(Operation::squareRoot, {o.radicand(), 0});
     }},
    {"to double",
     [](Operands& o) {
       const SoftExtended x = o.nearDoubleBounds();
       return comparedWith(
           observed(Flagged::toDouble(x)),
           [&] { return compilerConversion<double>(asLongDouble(x)); }, shown(x));
     }},
    {"from double",
     [](Operands& o) {
       const double x = o.doubleValue();
       return comparedWith(
           observed(Flagged::widened(x)), [&] { return compilerConversion<long double>(x); },
           hex(bitsOf(x)));
     }},
    {"to short", checkTruncation<short>},
    {"to int", checkTruncation<int>},
    {"to long", checkTruncation<long>},
    {"to long long", checkTruncation<long long>},
    {"to unsigned short", checkTruncation<unsigned short>},
    {"to unsigned", checkTruncation<unsigned>},
    {"to unsigned long", checkTruncation<unsigned long>},
    {"to unsigned long long", checkTruncation<unsigned long long>},
    {"from int", checkWidening<int>},
    {"from long long", checkWidening<long long>},
    {"from unsigned long long", checkWidening<unsigned long long>},
    {"from binary128",
     [](Operands& o) {
       const Binary128 x = o.binary128();
       return comparedWith(
           observed(Flagged::fromBinary128(x)), [&] { return compilerConversion<long double>(x); },
           hex(bitsOf(x)));
     }},
    {"to binary128",
     [](Operands& o) {
       // GCC's runtime reads the integer bit as implied by the exponent,
       // which only matters for encodings that the x87 never makes.
       const SoftExtended x = o.canonical();
       return comparedWith(
           observed(Flagged::toBinary128(x)),
           [&] { return compilerConversion<Binary128>(asLongDouble(x)); }, shown(x));
     }},
    {"floor",
     [](Operands& o) {
       const SoftExtended x = o.chance(50) ? o.nearIntegerBounds() : o.any();
       return comparedWith(
           observed(Flagged::floor(x)), [&] { return compilerFloor(asLongDouble(x)); }, shown(x));
     }},
    {"frexp",
     [](Operands& o) {
       // glibc takes an unsupported encoding apart as if it were normal;
       // the x87 arithmetic never makes one.
       const SoftExtended x = withoutSignallingNaN(o.canonical());
       const auto [value, flags] = withFlags([&] { return libraryFrexp(asLongDouble(x)); });
       const Flagged::FractionAndExponent soft = Flagged::frexp(x);
       return compared(observed(bitsOf(soft.fraction.value()), soft.exponent, soft.fraction.flags),
                       observed(bitsOf(value.fraction), value.exponent, flags), shown(x));
     }},
    {"ldexp",
     [](Operands& o) {
       const SoftExtended x = withoutSignallingNaN(o.chance(70) ? o.structured() : o.any());
       const int exponent = o.ldexpExponent(x);
       return comparedWith(
           observed(Flagged::ldexp(x, exponent)),
           [&] { return libraryLdexp(asLongDouble(x), exponent); },
           shown(x) + " × 2^" + std::to_string(exponent));
     }},
    {"negate and fabs",
     [](Operands& o) {
       const SoftExtended x = o.any();
       const bool absolute = o.chance(50);
       const SoftExtended soft = absolute ? fabs(x) : -x;
       return compared({bitsOf(soft), signbit(soft) ? 1u : 0u},
                       x87SignChange(asLongDouble(x), absolute), shown(x));
     }},
    {"compare",
     [](Operands& o) {
       auto [a, b] = o.sumPair();
       if (o.chance(20)) b = o.chance(50) ? a : -a;
       if (o.chance(10)) b = SoftExtended::fromBits(a.signAndExponent, a.significand + 1);
       return compared({relations(a, b), 0}, {relations(asLongDouble(a), asLongDouble(b)), 0},
                       shown(a) + ", " + shown(b));
     }},
};

long pairsPerOperation() {
  const char* asked = std::getenv("TANSHUKU_SOFT_EXTENDED_PAIRS");
  return asked != nullptr ? std::atol(asked) : kDefaultPairs;
}

std::uint64_t seedOf(const char* name) {
  std::uint64_t hash = 0xCBF29CE484222325u;  // FNV-1a
  for (; *name != 0; ++name) hash = (hash ^ static_cast<unsigned char>(*name)) * 0x100000001B3u;
  return hash;
}

TEST(SoftExtended, AgreesWithTheX87BitForBit) {
  const MaskedExceptions masked;
  const long pairs = pairsPerOperation();
  for (const OperationCheck& operation : kOperations) {
    Operands operands(seedOf(operation.name));
    long differences = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < pairs; ++i) {
      const Difference difference = operation.check(operands);
      if (difference && ++differences <= 5) ADD_FAILURE() << operation.name << " " << *difference;
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::cout << operation.name << ": " << pairs << " operand sets, " << differences
              << " differences (" << seconds.count() << " s)\n";
    EXPECT_EQ(differences, 0) << operation.name;
  }
}

// ---------------------------------------------------------------------------
// The hard cases by name, with the result that both sides must give.

constexpr SoftExtended number(std::uint16_t signAndExponent, std::uint64_t significand) {
  return SoftExtended::fromBits(signAndExponent, significand);
}
constexpr SoftExtended kZero = number(0, 0);
constexpr SoftExtended kNegativeZero = number(0x8000, 0);
constexpr SoftExtended kOne = number(kBias, kIntegerBit);
constexpr SoftExtended kTwo = number(kBias + 1, kIntegerBit);
constexpr SoftExtended kSmallestDenormal = number(0, 1);
constexpr SoftExtended kLargestDenormal = number(0, kIntegerBit - 1);
constexpr SoftExtended kSmallestNormal = number(1, kIntegerBit);
constexpr SoftExtended kLargest = number(kLargestExponent, kAllOnes);
constexpr SoftExtended kInfinity = number(0x7FFF, kIntegerBit);
constexpr SoftExtended kDefaultNaN = number(0xFFFF, 0xC000000000000000u);

struct NamedCase {
  const char* name;
  Operation operation;
  SoftExtended a;
  SoftExtended b;
  SoftExtended result;
  FaultFlags flags;
};

const NamedCase kNamedCases[] = {
    {"1 + 2^-64, a tie, rounds to the even 1", Operation::add, kOne,
     number(kBias - 64, kIntegerBit), kOne, 0},
    {"(1 + 2^-63) + 2^-64, a tie, rounds up to the even 1 + 2^-62", Operation::add,
     number(kBias, kIntegerBit + 1), number(kBias - 64, kIntegerBit),
     number(kBias, kIntegerBit + 2), 0},
    {"x - x is +0", Operation::subtract, number(kBias, 0xC000000000000000u),
     number(kBias, 0xC000000000000000u), kZero, 0},
    {"-0 - +0 is -0", Operation::subtract, kNegativeZero, kZero, kNegativeZero, 0},
    {"-0 × 2 is -0", Operation::multiply, kNegativeZero, kTwo, kNegativeZero, 0},
    {"√-0 is -0", Operation::squareRoot, kNegativeZero, kZero, kNegativeZero, 0},
    {"√2", Operation::squareRoot, kTwo, kZero, number(kBias, 0xB504F333F9DE6484u), 0},
    {"the smallest normal less the smallest denormal is the largest denormal", Operation::subtract,
     kSmallestNormal, kSmallestDenormal, kLargestDenormal, 0},
    {"the largest denormal plus the smallest is the smallest normal", Operation::add,
     kLargestDenormal, kSmallestDenormal, kSmallestNormal, 0},
    {"half the smallest denormal, a tie, rounds to the even 0", Operation::divide,
     kSmallestDenormal, kTwo, kZero, 0},
    {"three halves of the smallest denormal, a tie, round to the even 2 of it", Operation::divide,
     number(0, 3), kTwo, number(0, 2), 0},
    {"just below the smallest normal, a tie, rounds up to it", Operation::multiply, kSmallestNormal,
     number(kBias - 1, kAllOnes), kSmallestNormal, 0},
    {"the largest number doubled overflows", Operation::multiply, kLargest, kTwo, kInfinity,
     Arithmetic::kOverflowFlag},
    {"the largest number plus half its unit, a tie, overflows", Operation::add, kLargest,
     number(kLargestExponent - 64, kIntegerBit), kInfinity, Arithmetic::kOverflowFlag},
    {"the largest number plus less than half its unit stays", Operation::add, kLargest,
     number(kLargestExponent - 65, kAllOnes), kLargest, 0},
    {"the largest over the smallest denormal overflows", Operation::divide, kLargest,
     kSmallestDenormal, kInfinity, Arithmetic::kOverflowFlag},
    {"the smallest denormal over the largest is 0", Operation::divide, kSmallestDenormal, kLargest,
     kZero, 0},
    {"-1 / +0 divides by zero", Operation::divide, -kOne, kZero, -kInfinity,
     Arithmetic::kDivisionByZeroFlag},
    {"0 / 0 is invalid", Operation::divide, kZero, kZero, kDefaultNaN, Arithmetic::kInvalidFlag},
    {"infinity - infinity is invalid", Operation::subtract, kInfinity, kInfinity, kDefaultNaN,
     Arithmetic::kInvalidFlag},
    {"√-1 is invalid", Operation::squareRoot, -kOne, kZero, kDefaultNaN, Arithmetic::kInvalidFlag},
};

TEST(SoftExtended, NamedHardCasesGiveTheirResultOnBothSides) {
  const MaskedExceptions masked;
  for (const NamedCase& named : kNamedCases) {
    const std::string expected = shown(Observed{bitsOf(named.result), named.flags});
    EXPECT_EQ(shown(observed(softOperation(named.operation, named.a, named.b))), expected)
        << named.name;
    EXPECT_EQ(shown(x87Operation(named.operation, asLongDouble(named.a), asLongDouble(named.b))),
              expected)
        << named.name << " (x87)";
  }
}

// ---------------------------------------------------------------------------
// A fault goes to the handler with the return address into the formula that
// called the operation, right behind the call.

struct Raised {
  Fault fault;
  const void* returnAddress;
};

[[noreturn]] void throwRaised(Fault fault, const void* returnAddress) {
  throw Raised{fault, returnAddress};
}

// Formulas that return the faulting operation's result: without care, the
// compiler would make the call a jump and the report would miss them.
[[gnu::noipa]] SoftExtended sum(SoftExtended a, SoftExtended b) { return a + b; }
[[gnu::noipa]] SoftExtended difference(SoftExtended a, SoftExtended b) { return a - b; }
[[gnu::noipa]] SoftExtended scaledInPlace(SoftExtended a, SoftExtended b) {
  a *= b;
  return a;
}
[[gnu::noipa]] SoftExtended quotient(SoftExtended a, SoftExtended b) { return a / b; }
[[gnu::noipa]] SoftExtended root(SoftExtended a) { return sqrt(a); }
[[gnu::noipa]] SoftExtended scaledByPowerOfTwo(SoftExtended a) { return ldexp(a, 2); }
[[gnu::noipa]] double narrowed(SoftExtended a) { return static_cast<double>(a); }
[[gnu::noipa]] std::uint64_t unsignedPart(SoftExtended a) { return static_cast<std::uint64_t>(a); }
[[gnu::noipa]] int integerPart(SoftExtended a) { return static_cast<int>(a); }
[[gnu::noipa]] SoftExtended fromQuadruple(Binary128 a) { return SoftExtended{a}; }
[[gnu::noipa]] Binary128 toQuadruple(SoftExtended a) { return static_cast<Binary128>(a); }
[[gnu::noipa]] SoftExtended widenedDouble(double a) { return a; }
[[gnu::noipa]] SoftExtended logarithm(SoftExtended a) { return Arithmetic::Wide::log(a); }
[[gnu::noipa]] SoftExtended exponential(SoftExtended a) { return Arithmetic::Wide::exp(a); }
[[gnu::noipa]] SoftExtended cosine(SoftExtended a) { return Arithmetic::Wide::cos(a); }
[[gnu::noipa]] SoftExtended sine(SoftExtended a) { return Arithmetic::Wide::sin(a); }

const void* codeOf(auto function) { return reinterpret_cast<const void*>(function); }

using Binary = SoftExtended (*)(SoftExtended, SoftExtended);
using Unary = SoftExtended (*)(SoftExtended);

struct FaultingCall {
  const char* name;
  Fault fault;
  const void* caller;
  const void* operation;  // where the call goes, or nullptr for a conversion operator
  void (*run)();
};

const FaultingCall kFaultingCalls[] = {
    {"a sum", Fault::overflow, codeOf(sum), codeOf(static_cast<Binary>(Arithmetic::operator+)),
     [] { sum(kLargest, kLargest); }},
    {"a difference", Fault::invalidOperation, codeOf(difference),
     codeOf(static_cast<Binary>(Arithmetic::operator-)), [] { difference(kInfinity, kInfinity); }},
    {"a compound product", Fault::overflow, codeOf(scaledInPlace),
     codeOf(static_cast<Binary>(Arithmetic::operator*)), [] { scaledInPlace(kLargest, kTwo); }},
    {"a quotient", Fault::divisionByZero, codeOf(quotient),
     codeOf(static_cast<Binary>(Arithmetic::operator/)), [] { quotient(kOne, kZero); }},
    {"a square root", Fault::invalidOperation, codeOf(root),
     codeOf(static_cast<Unary>(Arithmetic::sqrt)), [] { root(-kOne); }},
    {"an ldexp", Fault::overflow, codeOf(scaledByPowerOfTwo), codeOf(Arithmetic::ldexp),
     [] { scaledByPowerOfTwo(kLargest); }},
    {"a double", Fault::overflow, codeOf(narrowed), nullptr, [] { narrowed(kLargest); }},
    {"an unsigned 64-bit integer", Fault::invalidOperation, codeOf(unsignedPart), nullptr,
     [] { unsignedPart(-kLargest); }},
    {"an int", Fault::invalidOperation, codeOf(integerPart), nullptr,
     [] { integerPart(kLargest); }},
    {"from binary128", Fault::overflow, codeOf(fromQuadruple), nullptr,
     [] { fromQuadruple(std::bit_cast<Binary128>(~Uint128{0} >> 1 ^ Uint128{1} << 112)); }},
    {"to binary128", Fault::invalidOperation, codeOf(toQuadruple), nullptr,
     [] { toQuadruple(number(0x7FFF, kIntegerBit | 1)); }},
    {"a signalling NaN widened", Fault::invalidOperation, codeOf(widenedDouble),
     codeOf(Arithmetic::raiseAtCaller),
     [] { widenedDouble(std::numeric_limits<double>::signaling_NaN()); }},
    {"a wide logarithm of zero", Fault::divisionByZero, codeOf(logarithm),
     codeOf(Arithmetic::Wide::log), [] { logarithm(kNegativeZero); }},
    {"a wide logarithm of a negative number", Fault::invalidOperation, codeOf(logarithm),
     codeOf(Arithmetic::Wide::log), [] { logarithm(-kSmallestDenormal); }},
    {"a wide exponential beyond the largest number", Fault::overflow, codeOf(exponential),
     codeOf(Arithmetic::Wide::exp), [] { exponential(SoftExtended{11357.3}); }},
    {"a wide cosine of infinity", Fault::invalidOperation, codeOf(cosine),
     codeOf(Arithmetic::Wide::cos), [] { cosine(kInfinity); }},
    {"a wide sine of infinity", Fault::invalidOperation, codeOf(sine),
     codeOf(Arithmetic::Wide::sin), [] { sine(-kInfinity); }},
};

// The callers' code is shorter than this, even built for the sanitizers.
constexpr std::uintptr_t kCallerSize = 1024;

TEST(SoftExtended, FaultsAreReportedRightBehindTheCallInTheCaller) {
  Arithmetic::setFaultHandler(throwRaised);
  for (const FaultingCall& call : kFaultingCalls) {
    try {
      call.run();
      ADD_FAILURE() << call.name << ": no fault";
    } catch (const Raised& raised) {
      EXPECT_EQ(static_cast<int>(raised.fault), static_cast<int>(call.fault)) << call.name;
      const auto* returnAddress = static_cast<const unsigned char*>(raised.returnAddress);
      const auto offset = reinterpret_cast<std::uintptr_t>(returnAddress) -
                          reinterpret_cast<std::uintptr_t>(call.caller);
      EXPECT_LT(offset, kCallerSize) << call.name << ": the address is not in the caller";
      if (offset >= kCallerSize) continue;
      // A direct call, E8 and a 32-bit displacement, ends at the address.
      EXPECT_EQ(returnAddress[-5], 0xE8) << call.name;
      std::int32_t displacement = 0;
      std::memcpy(&displacement, returnAddress - 4, sizeof displacement);
      if (call.operation != nullptr) {
        EXPECT_EQ(static_cast<const void*>(returnAddress + displacement), call.operation)
            << call.name;
      }
    }
  }
  Arithmetic::setFaultHandler(nullptr);
}

// ---------------------------------------------------------------------------
// Where long double is the 128-bit format, a literal such as 0.1L is rounded
// twice, to that format and then to extended: the result must be the x87's
// literal, rounded once, for every literal of the program.

// The long double literals (decimal or hexadecimal, with the suffix L) of
// the program's sources.
std::vector<std::string> programLiterals() {
  const std::regex literal(
      R"((?:^|[^\w.])((?:0[xX][0-9a-fA-F]*\.?[0-9a-fA-F]*[pP][+-]?[0-9]+)|)"
      R"((?:(?:[0-9]+\.[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)|(?:[0-9]+[eE][+-]?[0-9]+))[lL]\b)");
  const std::string top = std::string(TANSHUKU_TRANSCRIPT_DIR) + "/../../";
  std::vector<std::string> literals;
  for (const char* folder : {"arithmetic", "console", "calculators", "shell"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(top + folder)) {
      const std::filesystem::path extension = entry.path().extension();
      if (extension != ".cpp" && extension != ".hpp") continue;
      std::ifstream file(entry.path());
      const std::string text{std::istreambuf_iterator<char>(file), {}};
      for (std::sregex_iterator match(text.begin(), text.end(), literal), end; match != end;
           ++match) {
        literals.push_back((*match)[1]);
      }
    }
  }
  return literals;
}

// The literal rounded to the 128-bit format, then to extended.
SoftExtended roundedTwice(const std::string& literal) {
  return Flagged::fromBinary128(strtoflt128(literal.c_str(), nullptr)).value();
}

TEST(SoftExtended, EveryLiteralOfTheProgramRoundsAlikeThroughThe128BitFormat) {
  // Near the midpoint of two extended numbers this text rounds to the
  // midpoint in the 128-bit format, then to the even neighbour: the check
  // tells a double rounding.
  const std::string doublyRounded = "1.00000000000000000016263032587282566";
  EXPECT_NE(bitsOf(roundedTwice(doublyRounded)),
            bitsOf(std::strtold(doublyRounded.c_str(), nullptr)));

  const std::vector<std::string> literals = programLiterals();
  EXPECT_GT(literals.size(), 100u) << "the literals were not found";
  for (const std::string& literal : literals) {
    EXPECT_EQ(bitsOf(roundedTwice(literal)), bitsOf(std::strtold(literal.c_str(), nullptr)))
        << literal;
  }
}

// ---------------------------------------------------------------------------
// The exponential and the logarithm of our own in the 128-bit format (for
// WebAssembly, whose C library has them only to a double's precision),
// rounded to extended, against libquadmath's: over the program's ranges,
// near 1, and out to the ends of the format.

struct WideCase {
  const char* name;
  Binary128 (*ours)(Binary128);
  Binary128 (*reference)(Binary128);
  double low, high;  // the argument, or its logarithm for the logarithm
  bool logarithmic;
};

TEST(SoftExtended, OurWideExponentialAndLogarithmRoundToExtendedAsLibquadmaths) {
  const WideCase cases[] = {
      {"exp", Arithmetic::Wide::exponential, expq, -60, 60, false},
      {"exp near the ends", Arithmetic::Wide::exponential, expq, -11399, 11356, false},
      {"exp near 0", Arithmetic::Wide::exponential, expq, -1e-6, 1e-6, false},
      {"log", Arithmetic::Wide::logarithm, logq, -40, 40, true},
      {"log near 1", Arithmetic::Wide::logarithm, logq, -1e-6, 1e-6, true},
      {"log to the ends", Arithmetic::Wide::logarithm, logq, -11390, 11350, true},
  };
  std::mt19937_64 random(20261209);
  for (const WideCase& wide : cases) {
    std::uniform_real_distribution<double> drawn(wide.low, wide.high);
    int differences = 0;
    for (int i = 0; i < 100000; ++i) {
      // A random 113-bit argument: a double with 60 more random bits.
      Binary128 x = drawn(random);
      x *= 1 + static_cast<Binary128>(random() >> 4) * static_cast<Binary128>(0x1p-113);
      if (wide.logarithmic) x = expq(x);
      const Flagged::Outcome ours = Flagged::fromBinary128(wide.ours(x));
      const Flagged::Outcome reference = Flagged::fromBinary128(wide.reference(x));
      if (ours.significand != reference.significand ||
          ours.signAndExponent != reference.signAndExponent) {
        ++differences;
      }
    }
    EXPECT_EQ(differences, 0) << wide.name;
  }
  using Arithmetic::Wide::exponential;
  using Arithmetic::Wide::logarithm;
  EXPECT_EQ(exponential(11357.3), HUGE_VALQ);
  EXPECT_EQ(exponential(-11500.5), 0);
  EXPECT_EQ(logarithm(0), -HUGE_VALQ);
  EXPECT_TRUE(isnanq(logarithm(-std::numeric_limits<double>::denorm_min())));
  EXPECT_EQ(logarithm(HUGE_VALQ), HUGE_VALQ);
  EXPECT_EQ(logarithm(1), 0);
}

}  // namespace
