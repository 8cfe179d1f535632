#include "console/number_syntax.hpp"

#include "console/decimal.hpp"

namespace NumberSyntax {
namespace {

using Decimal::powerOfTen;

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents beyond this overflow while their power is built in any case.
constexpr long kExponentCeiling = 100000;
// Larger exponents are applied in two steps, this power first. 10^4930 is
// just inside the extended range (its largest power of ten is 10^4932), so
// a negative exponent up to 4930 + 4932, whose power built whole would
// overflow, still divides the value down to a tiny one (zero or a denormal
// once stored) instead of faulting.
constexpr long kExponentStep = 4930;

Extended applyExponent(Extended value, long exponent) {
  bool negative = exponent < 0;
  long remaining = negative ? -exponent : exponent;
  if (remaining > kExponentStep) {
    Extended first = powerOfTen(kExponentStep);
    value = negative ? value / first : value * first;
    remaining -= kExponentStep;
  }
  Extended power = powerOfTen(remaining);
  return negative ? value / power : value * power;
}

// What digitValue gives a character that is no digit: above the digits of
// every base (16 at most), so that the base's check refuses it.
constexpr int kNotADigit = 99;

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return kNotADigit;
}

}  // namespace

std::optional<Extended> parseReal(std::string_view token) {
  size_t at = 0;
  auto more = [&] { return at < token.size(); };

  bool negative = false;
  if (more() && (token[at] == '+' || token[at] == '-')) negative = token[at++] == '-';

  Extended value = 0.0L;
  int digits = 0;
  while (more() && isDecimalDigit(token[at])) {
    value = value * 10.0L + static_cast<Extended>(token[at++] - '0');
    ++digits;
  }
  long fractionDigits = 0;
  if (more() && token[at] == '.') {
    ++at;
    while (more() && isDecimalDigit(token[at])) {
      value = value * 10.0L + static_cast<Extended>(token[at++] - '0');
      ++fractionDigits;
    }
  }
  if (digits + fractionDigits == 0) return std::nullopt;

  long exponent = 0;
  bool hasExponent = more() && (token[at] == 'E' || token[at] == 'e');
  if (hasExponent) {
    ++at;
    bool negativeExponent = false;
    if (more() && (token[at] == '+' || token[at] == '-')) {
      negativeExponent = token[at++] == '-';
    }
    if (!more() || !isDecimalDigit(token[at])) return std::nullopt;
    while (more() && isDecimalDigit(token[at])) {
      exponent = exponent * 10 + (token[at++] - '0');
      if (exponent > kExponentCeiling) exponent = kExponentCeiling;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (more()) return std::nullopt;

  value = value / powerOfTen(fractionDigits);
  if (negative) value = -value;
  if (hasExponent) value = applyExponent(value, exponent);
  return value;
}

std::optional<std::int32_t> parseInteger(std::string_view token) {
  size_t at = 0;
  auto more = [&] { return at < token.size(); };
  auto startsWith = [&](std::string_view prefix) {
    return token.substr(at, prefix.size()) == prefix;
  };

  bool negative = false;
  if (more() && (token[at] == '+' || token[at] == '-')) negative = token[at++] == '-';

  int base = 10;
  if (startsWith("$") || startsWith("x") || startsWith("X")) {
    base = 16;
    at += 1;
  } else if (startsWith("0x") || startsWith("0X")) {
    base = 16;
    at += 2;
  } else if (startsWith("%")) {
    base = 2;
    at += 1;
  } else if (startsWith("&")) {
    base = 8;
    at += 1;
  }
  if (!more()) return std::nullopt;

  const std::uint64_t limit = base == 10 ? (negative ? 2147483648u : 2147483647u) : 4294967295u;
  std::uint64_t magnitude = 0;
  for (; more(); ++at) {
    int digit = digitValue(token[at]);
    if (digit >= base) return std::nullopt;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }

  // Two's complement in 32 bits: $FFFFFFFF is -1 and -$80000000 is -2^31.
  auto bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = ~bits + 1u;
  return static_cast<std::int32_t>(bits);
}

std::int16_t low16Bits(std::int32_t number) {
  return static_cast<std::int16_t>(
      static_cast<std::uint16_t>(static_cast<std::uint32_t>(number) & 0xFFFFu));
}

}  // namespace NumberSyntax
