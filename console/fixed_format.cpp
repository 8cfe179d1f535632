#include "console/fixed_format.hpp"

#include <cmath>
#include <cstdint>

#include "arithmetic/maths.hpp"
#include "console/decimal.hpp"

namespace FixedFormat {
namespace {

__extension__ using Uint128 = unsigned __int128;

using Decimal::powerOfTen;

constexpr int kSignificantDigits = 15;
constexpr int kMaxDecimals = 15;
// Integer parts of up to 36 digits are written out, zeros after the 15th
// significant one; from 37 digits on (10^36 and above) the number is
// written in scientific form. Text is sized for the longest fixed form.
constexpr int kScientificFromDigits = 37;
// Added to a non-zero fraction before rounding, so that values lying just
// below a decimal half in binary are rounded up.
constexpr Extended kCorrection = 2.2204460493e-16L;

std::uint64_t integerPowerOfTen(int count) {
  std::uint64_t power = 1;
  for (int i = 0; i < count; ++i) power *= 10;
  return power;
}

// floor(x * 10^places), exactly, for 0 <= x < 2 and places <= 15.
std::uint64_t scaledFloor(Extended x, int places) {
  if (x == 0.0L) return 0;
  int exponent = 0;
  Extended mantissa = Arithmetic::frexp(x, &exponent);  // x = mantissa * 2^exponent
  auto bits = static_cast<std::uint64_t>(Arithmetic::ldexp(mantissa, 64));
  int shift = 64 - exponent;
  if (shift >= 128) return 0;
  Uint128 product = static_cast<Uint128>(bits) * integerPowerOfTen(places);
  return static_cast<std::uint64_t>(product >> shift);
}

class Builder {
 public:
  void put(char c) { text_.bytes[text_.length++] = c; }
  void put(std::string_view text) {
    for (char c : text) put(c);
  }
  void putDigits(std::uint64_t number, int minDigits) {
    put(Decimal::digitsOf(number, minDigits).view());
  }
  void putZeros(int count) {
    for (int i = 0; i < count; ++i) put('0');
  }
  Text alignedTo(int width) {
    if (width > kMaxWidth) width = kMaxWidth;
    int padding = width - text_.length;
    if (padding <= 0) return text_;
    Text aligned;
    for (int i = 0; i < padding; ++i) aligned.bytes[aligned.length++] = ' ';
    for (int i = 0; i < text_.length; ++i) aligned.bytes[aligned.length++] = text_.bytes[i];
    return aligned;
  }

 private:
  Text text_;
};

int integerDigitCount(Extended integerPart) {
  int count = 1;
  Extended power = 10.0L;
  while (integerPart >= power) {
    power *= 10.0L;
    ++count;
  }
  return count;
}

// The number as integer digits, a point and decimals, decimals beyond the
// ones taken printing as 0.
void putFixed(Builder& out, std::uint64_t integerPart, int trailingIntegerZeros,
              std::uint64_t fraction, int fractionDigits, int decimals) {
  out.putDigits(integerPart, 1);
  out.putZeros(trailingIntegerZeros);
  if (decimals == 0) return;
  out.put('.');
  if (fractionDigits > 0) out.putDigits(fraction, fractionDigits);
  out.putZeros(decimals - fractionDigits);
}

// The scientific form: a blank or "-" (put by the caller), one digit, a
// point, 14 digits and the exponent with at least three digits.
void putScientific(Builder& out, std::uint64_t significand, int exponent) {
  const Decimal::Digits digits = Decimal::digitsOf(significand, kSignificantDigits);
  out.put(digits.view()[0]);
  out.put('.');
  out.put(digits.view().substr(1));
  out.put('E');
  out.put('+');
  out.putDigits(static_cast<std::uint64_t>(exponent), 3);
}

// Magnitudes of at least 1: the fraction is rounded at the last decimal that
// 15 significant digits leave, or the integer part at its 15th digit.
void putAtLeastOne(Builder& out, Extended magnitude, int decimals, bool negative) {
  Extended integerPart = Arithmetic::floor(magnitude);
  Extended fraction = magnitude - integerPart;
  int digits = integerDigitCount(integerPart);

  if (digits <= kSignificantDigits) {
    if (negative) out.put('-');
    if (fraction != 0.0L) fraction += kCorrection;
    int taken = decimals < kSignificantDigits - digits ? decimals : kSignificantDigits - digits;
    fraction += 0.5L / powerOfTen(taken);
    if (fraction >= 1.0L) {
      integerPart += 1.0L;
      fraction -= 1.0L;
    }
    putFixed(out, static_cast<std::uint64_t>(integerPart), 0, scaledFloor(fraction, taken), taken,
             decimals);
    return;
  }

  Extended rounded = Arithmetic::floor(magnitude / powerOfTen(digits - kSignificantDigits) + 0.5L);
  if (rounded >= powerOfTen(kSignificantDigits)) {
    rounded /= 10.0L;
    ++digits;
  }
  auto significand = static_cast<std::uint64_t>(rounded);
  if (digits >= kScientificFromDigits) {
    out.put(negative ? '-' : ' ');
    putScientific(out, significand, digits - 1);
  } else {
    if (negative) out.put('-');
    putFixed(out, significand, digits - kSignificantDigits, 0, 0, decimals);
  }
}

// Magnitudes below 1: the correction applies at the first significant digit,
// found by scaling the magnitude up by tens.
void putBelowOne(Builder& out, Extended magnitude, int decimals, bool negative) {
  if (negative) out.put('-');
  std::uint64_t units = 0;  // the rounded value in units of 10^-decimals
  if (magnitude != 0.0L) {
    int scale = 0;
    while (magnitude < 0.1L - kCorrection) {
      magnitude *= 10.0L;
      ++scale;
    }
    magnitude += kCorrection;
    int places = decimals - scale;
    if (places >= 0) {
      magnitude += 0.5L / powerOfTen(places);
      units = scaledFloor(magnitude, places);
    }
  }
  std::uint64_t unit = integerPowerOfTen(decimals);
  putFixed(out, units / unit, 0, units % unit, decimals, decimals);
}

}  // namespace

Text format(double value, int width, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;

  Builder out;
  bool negative = std::signbit(value);
  Extended magnitude = Arithmetic::fabs(static_cast<Extended>(value));
  if (magnitude >= 1.0L) {
    putAtLeastOne(out, magnitude, decimals, negative);
  } else {
    putBelowOne(out, magnitude, decimals, negative);
  }
  return out.alignedTo(width);
}

}  // namespace FixedFormat
