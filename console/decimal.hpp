// Decimal notation as the console writes and reads it: the powers of ten of
// the number reader and the fixed-point writer, and the digits of a number
// for the writer and the run-time error report.
#pragma once

#include <cstdint>
#include <string_view>

#include "arithmetic/extended.hpp"

namespace Decimal {

// 10^count, built by multiplying by ten count times: the reader and the
// writer take their powers so, and so round alike.
inline Extended powerOfTen(long count) {
  Extended power = 1.0L;
  for (long i = 0; i < count; ++i) power *= 10.0L;
  return power;
}

// The digits of a number, in a buffer of their own: nothing is allocated
// and nothing locked, so that the fault handler's report can write them.
struct Digits {
  // The 20 digits of the largest 64-bit number, and leading zeros beyond.
  static constexpr int kCapacity = 24;
  char bytes[kCapacity] = {};
  int first = kCapacity;
  std::string_view view() const { return {bytes + first, static_cast<size_t>(kCapacity - first)}; }
};

// number without leading zeros, but with at least minDigits digits (at most
// Digits::kCapacity): zeros in front make up the rest.
constexpr Digits digitsOf(std::uint64_t number, int minDigits = 1) {
  Digits written;
  do {
    written.bytes[--written.first] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while ((number != 0 || Digits::kCapacity - written.first < minDigits) && written.first > 0);
  return written;
}

}  // namespace Decimal
