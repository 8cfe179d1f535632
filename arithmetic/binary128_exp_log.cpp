// The series, in the 128-bit format's own arithmetic (which rounds every
// step correctly):
//   exp(x) = 2^k · (1 + expm1(r)),  x = k ln 2 + r, |r| <= ln 2 / 2, with
//            expm1(r) from the Taylor series of r / 256, then doubled eight
//            times by expm1(2y) = expm1(y) · (2 + expm1(y));
//   log(x) = e ln 2 + 2 atanh(s),    x = 2^e · m, √½ <= m < √2,
//            s = (m − 1) / (m + 1), |s| < 0.172, 2 atanh(s) from its series.
// ln 2 is split in two: its high part has 93 bits, so that k times it is
// exact for every k the formats' exponents allow.
#include "arithmetic/binary128_exp_log.hpp"

namespace Arithmetic::Wide {
namespace {

using B = Binary128;
using namespace Encoding;

// ln 2 as the sum of four doubles: the first two its high part, the last two
// the rest.
const B kLn2High = B{0x1.62e42fefa39efp-1} + B{0x1.abc9e3b398000p-56};
const B kLn2Low = B{0x1.f97b57a079a19p-103} + B{0x1.9ca62d8b62834p-158};
const B kSqrtHalf = B{0x1.6a09e667f3bcdp-1} + B{-0x1.bdd3413b26456p-55};
// Beyond these, exp(x) is not finite, or is below the smallest denormal.
constexpr double kExpOverflow = 11356.6;
constexpr double kExpUnderflow = -11500.0;

constexpr int kExpHalvings = 8;
constexpr int kExpTerms = 14;
constexpr int kAtanhTerms = 17;

int exponentField(B x) {
  return static_cast<int>((bitCast<Uint128>(x) >> kBinary128FractionBits) & kExponentMask);
}

// 2^power, power within the normal exponents.
B powerOfTwo(int power) {
  return bitCast<B>(static_cast<Uint128>(power + kBias) << kBinary128FractionBits);
}

// expm1(y) for |y| <= ln 2 / 512, Horner's rule on the Taylor series.
B expm1Small(B y) {
  B sum = 0;
  for (int n = kExpTerms; n >= 1; --n) sum = y / B{static_cast<double>(n)} * (1 + sum);
  return sum;
}

}  // namespace

B exponential(B x) {
  if (x != x) return x;
  if (x > B{kExpOverflow}) return B{__builtin_inf()};
  if (x < B{kExpUnderflow}) return 0;
  const auto k = static_cast<int>(x / kLn2High + (x < 0 ? B{-0.5} : B{0.5}));
  const B kB = B{static_cast<double>(k)};
  const B r = (x - kB * kLn2High) - kB * kLn2Low;
  B e = expm1Small(r * powerOfTwo(-kExpHalvings));
  for (int i = 0; i < kExpHalvings; ++i) e *= 2 + e;
  // 2^k in two factors, each a normal number: the second product alone
  // rounds, once, should the result be a denormal.
  const int half = k / 2;
  return (1 + e) * powerOfTwo(half) * powerOfTwo(k - half);
}

B logarithm(B x) {
  if (x != x) return x;
  if (x < 0) return B{__builtin_nan("")};
  if (x == 0) return B{-__builtin_inf()};
  if (exponentField(x) == kExponentMask) return x;  // infinity
  // x = 2^e · m with m in [√½, √2); a denormal is made normal first.
  int e = 0;
  if (exponentField(x) == 0) {
    x *= powerOfTwo(200);
    e = -200;
  }
  e += exponentField(x) - kBias;
  B m = x * powerOfTwo(kBias - exponentField(x));
  if (m * kSqrtHalf > 1) {
    m *= B{0.5};
    ++e;
  }
  const B s = (m - 1) / (m + 1);
  const B s2 = s * s;
  B series = 0;
  for (int n = kAtanhTerms - 1; n >= 1; --n) {
    series = (1 / B{static_cast<double>(2 * n + 1)} + series) * s2;
  }
  const B twiceAtanh = 2 * s + 2 * s * series;
  const B eB = B{static_cast<double>(e)};
  return eB * kLn2High + (eB * kLn2Low + twiceAtanh);
}

}  // namespace Arithmetic::Wide
