// The square root: the integer square root of the significand, scaled to an
// even exponent, rounded once. A square root never lies halfway between two
// extended numbers, and never below the smallest normal one.
#include <array>
#include <cstddef>

#include "arithmetic/extended_parts.hpp"

namespace Arithmetic {
namespace {

using namespace Parts;

// floor(√((2i + 1) × 2^55)) for i from 64 to 255: the square root of the
// middle of each range of 64-bit numbers with the top byte i, a start for
// Newton's method within 2^-8 of the root.
constexpr std::uint32_t seedFor(std::size_t topByte) {
  const std::uint64_t middle = (2 * static_cast<std::uint64_t>(topByte) + 1) << 55;
  std::uint64_t root = std::uint64_t{1} << 32;
  for (std::uint64_t next = (root + middle / root) / 2; next < root;
       next = (root + middle / root) / 2) {
    root = next;
  }
  return static_cast<std::uint32_t>(root);
}

constexpr std::array<std::uint32_t, 256> kSeeds = [] {
  std::array<std::uint32_t, 256> seeds{};
  for (std::size_t topByte = 64; topByte < seeds.size(); ++topByte)
    seeds[topByte] = seedFor(topByte);
  return seeds;
}();

struct IntegerRoot {
  std::uint64_t root;  // floor(√n)
  Uint128 remainder;   // n - root²
};

// n from 2^126 up to 2^128: two Newton steps in 64 bits from the seed give
// √(n / 2^64) to about 31 bits, one step in 128 bits all 64 within a few
// units, which the final loop takes off (every Newton step stays at or
// above the floor of the root).
IntegerRoot integerSquareRoot(Uint128 n) {
  const auto top = static_cast<std::uint64_t>(n >> 64);
  std::uint64_t root32 = kSeeds[top >> 56];
  root32 = (root32 + top / root32) / 2;
  root32 = (root32 + top / root32) / 2;
  const Uint128 start = static_cast<Uint128>(root32) << 32;
  Uint128 root = (start + n / start) / 2;
  const Uint128 largest = ~std::uint64_t{0};
  if (root > largest) root = largest;
  while (root * root > n) --root;
  return {static_cast<std::uint64_t>(root), n - root * root};
}

Outcome rootOfPositive(Unpacked x) {
  const int unbiased = x.exponent - kBias;
  const int odd = unbiased & 1;
  const IntegerRoot root = integerSquareRoot(static_cast<Uint128>(x.significand) << (63 + odd));
  std::uint64_t fraction = 0;
  if (root.remainder != 0) fraction = root.remainder > root.root ? kIntegerBit + 1 : 1;
  return rounded(false, (static_cast<Uint128>(root.root) << 64) | fraction,
                 (unbiased - odd) / 2 + kBias);
}

}  // namespace

Outcome Flagged::squareRoot(SoftExtended x) {
  const Kind kind = kindOf(x);
  if (isUnordered(kind)) return nanResult(x, kind);
  if (kind == Kind::zero) return canonical(x);
  if (signbit(x)) return invalid();
  if (kind == Kind::infinity) return canonical(x);
  return rootOfPositive(unpacked(x));
}

ARITHMETIC_OUT_OF_LINE SoftExtended sqrt(SoftExtended x) {
  return raised(Flagged::squareRoot(x), RETURN_ADDRESS());
}

}  // namespace Arithmetic
