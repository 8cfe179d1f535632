// The four basic operations: the exact result of the operands' values,
// rounded once.
#include <utility>

#include "arithmetic/extended_parts.hpp"

namespace Arithmetic {
namespace {

using namespace Parts;

// x / 2^distance with the bits shifted out kept as one sticky bit 0, enough
// for the one rounding of a sum whose exact value needs more than 128 bits.
Uint128 shiftedRightSticky(Uint128 x, int distance) {
  if (distance == 0) return x;
  if (distance >= 128) return 1;
  const Uint128 shiftedOut = x & ((Uint128{1} << distance) - 1);
  return (x >> distance) | (shiftedOut != 0 ? 1 : 0);
}

constexpr bool magnitudeBelow(const Unpacked& x, const Unpacked& y) {
  return x.exponent < y.exponent || (x.exponent == y.exponent && x.significand < y.significand);
}

// Both operands finite and non-zero. The larger magnitude sets the sign; an
// exact cancellation gives +0, as rounding to nearest does.
Outcome sumOfFinite(Unpacked x, Unpacked y) {
  if (magnitudeBelow(x, y)) std::swap(x, y);
  const Uint128 larger = static_cast<Uint128>(x.significand) << 63;
  const Uint128 smaller =
      shiftedRightSticky(static_cast<Uint128>(y.significand) << 63, x.exponent - y.exponent);
  const Uint128 sum = x.negative == y.negative ? larger + smaller : larger - smaller;
  if (sum == 0) return zero(false);
  const int leadingZeros = countlZero(sum);
  return rounded(x.negative, sum << leadingZeros, x.exponent + 1 - leadingZeros);
}

Outcome sumWithSpecial(SoftExtended a, Kind kindA, SoftExtended b, Kind kindB) {
  if (isUnordered(kindA) || isUnordered(kindB)) return nanResult(a, kindA, b, kindB);
  if (kindA == Kind::infinity) {
    if (kindB == Kind::infinity && signbit(a) != signbit(b)) return invalid();
    return canonical(a);
  }
  if (kindB == Kind::infinity) return canonical(b);
  if (kindA != Kind::zero) return canonical(a);
  if (kindB != Kind::zero) return canonical(b);
  return zero(signbit(a) && signbit(b));
}

Outcome productOfFinite(Unpacked x, Unpacked y) {
  // Two significands from 2^63 on: the product's top bit is 127 or 126.
  const Uint128 product = static_cast<Uint128>(x.significand) * y.significand;
  const int leadingZeros = (product >> 127) != 0 ? 0 : 1;
  return rounded(x.negative != y.negative, product << leadingZeros,
                 x.exponent + y.exponent - kBias + 1 - leadingZeros);
}

Outcome productWithSpecial(SoftExtended a, Kind kindA, SoftExtended b, Kind kindB) {
  if (isUnordered(kindA) || isUnordered(kindB)) return nanResult(a, kindA, b, kindB);
  const bool negative = signbit(a) != signbit(b);
  if (kindA != Kind::infinity && kindB != Kind::infinity) return zero(negative);
  if (kindA == Kind::zero || kindB == Kind::zero) return invalid();
  return infinity(negative);
}

// The 64-bit quotient of the significands and, in place of the remainder's
// bits, a word that compares with one half as remainder / divisor does and
// is zero where the remainder is: all the one rounding needs.
Outcome quotientOfFinite(Unpacked x, Unpacked y) {
  const bool dividendAtLeast = x.significand >= y.significand;
  const Uint128 dividend = static_cast<Uint128>(x.significand) << (dividendAtLeast ? 63 : 64);
  const auto quotient = static_cast<std::uint64_t>(dividend / y.significand);
  const auto remainder = static_cast<std::uint64_t>(dividend % y.significand);
  const std::uint64_t rest = y.significand - remainder;
  std::uint64_t fraction = 0;
  if (remainder != 0) fraction = remainder < rest ? 1 : kIntegerBit + (remainder > rest ? 1 : 0);
  return rounded(x.negative != y.negative, (static_cast<Uint128>(quotient) << 64) | fraction,
                 x.exponent - y.exponent + kBias - (dividendAtLeast ? 0 : 1));
}

Outcome quotientWithSpecial(SoftExtended a, Kind kindA, SoftExtended b, Kind kindB) {
  if (isUnordered(kindA) || isUnordered(kindB)) return nanResult(a, kindA, b, kindB);
  const bool negative = signbit(a) != signbit(b);
  if (kindA == Kind::infinity) return kindB == Kind::infinity ? invalid() : infinity(negative);
  if (kindB == Kind::infinity) return zero(negative);
  if (kindA == Kind::zero) return kindB == Kind::zero ? invalid() : zero(negative);
  return infinity(negative, kDivisionByZeroFlag);
}

// Two finite non-zero operands go to finite, any other pair to special.
template <Outcome (*finite)(Unpacked, Unpacked),
          Outcome (*special)(SoftExtended, Kind, SoftExtended, Kind)>
Outcome byKind(SoftExtended a, SoftExtended b) {
  const Kind kindA = kindOf(a);
  const Kind kindB = kindOf(b);
  if (kindA == Kind::finite && kindB == Kind::finite) return finite(unpacked(a), unpacked(b));
  return special(a, kindA, b, kindB);
}

}  // namespace

Outcome Flagged::add(SoftExtended a, SoftExtended b) {
  return byKind<sumOfFinite, sumWithSpecial>(a, b);
}

// A NaN operand keeps its sign: the x87 returns it as it is.
Outcome Flagged::subtract(SoftExtended a, SoftExtended b) { return add(a, isOrdered(b) ? -b : b); }

Outcome Flagged::multiply(SoftExtended a, SoftExtended b) {
  return byKind<productOfFinite, productWithSpecial>(a, b);
}

Outcome Flagged::divide(SoftExtended a, SoftExtended b) {
  return byKind<quotientOfFinite, quotientWithSpecial>(a, b);
}

ARITHMETIC_OUT_OF_LINE SoftExtended operator+(SoftExtended a, SoftExtended b) {
  return raised(Flagged::add(a, b), RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE SoftExtended operator-(SoftExtended a, SoftExtended b) {
  return raised(Flagged::subtract(a, b), RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE SoftExtended operator*(SoftExtended a, SoftExtended b) {
  return raised(Flagged::multiply(a, b), RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE SoftExtended operator/(SoftExtended a, SoftExtended b) {
  return raised(Flagged::divide(a, b), RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE void raiseAtCaller(Fault fault) { raiseFault(fault, RETURN_ADDRESS()); }

}  // namespace Arithmetic
