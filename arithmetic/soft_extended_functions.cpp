// floor, frexp and ldexp as the program's C library computes them on
// x86-64: floor by the x87's frndint rounding down, frexp in integer steps
// (with x + x for zeros, infinities and NaNs), ldexp by fscale.
#include <algorithm>

#include "arithmetic/extended_parts.hpp"

namespace Arithmetic {
namespace {

using namespace Parts;

constexpr int kFractionExponent = kBias - 1;  // [0.5, 1)

Outcome floorOfFinite(Unpacked x) {
  const int unbiased = x.exponent - kBias;
  if (unbiased >= 63)
    return exact(static_cast<std::uint16_t>(signField(x.negative) | x.exponent), x.significand);
  if (unbiased < 0) return x.negative ? exact(kSignBit | kBias, kIntegerBit) : zero(false);
  const std::uint64_t fractionMask = (kIntegerBit >> unbiased) - 1;
  std::uint64_t significand = x.significand & ~fractionMask;
  int exponent = x.exponent;
  if (x.negative && significand != x.significand) {
    significand += fractionMask + 1;
    if (significand == 0) {
      significand = kIntegerBit;
      ++exponent;
    }
  }
  return exact(static_cast<std::uint16_t>(signField(x.negative) | exponent), significand);
}

}  // namespace

Outcome Flagged::floor(SoftExtended x) {
  const Kind kind = kindOf(x);
  if (isUnordered(kind)) return nanResult(x, kind);
  if (kind != Kind::finite) return canonical(x);
  return floorOfFinite(unpacked(x));
}

Flagged::FractionAndExponent Flagged::frexp(SoftExtended x) {
  const Kind kind = kindOf(x);
  if (isUnordered(kind)) return {nanResult(x, kind), 0};
  if (kind != Kind::finite) return {canonical(x), 0};
  const Unpacked u = unpacked(x);
  return {
      exact(static_cast<std::uint16_t>(signField(u.negative) | kFractionExponent), u.significand),
      u.exponent - kFractionExponent};
}

Outcome Flagged::ldexp(SoftExtended x, int exponent) {
  const Kind kind = kindOf(x);
  if (isUnordered(kind)) return nanResult(x, kind);
  if (kind != Kind::finite) return canonical(x);
  const Unpacked u = unpacked(x);
  // Far enough beyond both ends that the result is infinity or zero.
  constexpr long long kBeyond = 4 * static_cast<long long>(kInfinityExponent);
  const long long scaled =
      std::clamp(static_cast<long long>(u.exponent) + exponent, -kBeyond, kBeyond);
  return rounded(u.negative, static_cast<Uint128>(u.significand) << 64, static_cast<int>(scaled));
}

ARITHMETIC_OUT_OF_LINE SoftExtended floor(SoftExtended x) {
  return raised(Flagged::floor(x), RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE SoftExtended frexp(SoftExtended x, int* exponent) {
  const Flagged::FractionAndExponent outcome = Flagged::frexp(x);
  *exponent = outcome.exponent;
  return raised(outcome.fraction, RETURN_ADDRESS());
}

ARITHMETIC_OUT_OF_LINE SoftExtended ldexp(SoftExtended x, int exponent) {
  return raised(Flagged::ldexp(x, exponent), RETURN_ADDRESS());
}

}  // namespace Arithmetic
