#include "nec/model/decimal_chars.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace DecimalChars {
namespace {

// Room for any double in fixed form: 309 integer digits, the point and the
// decimals asked for, with a sign.
constexpr int kLongestText = 400;
// Enough digits for any double to read back as itself.
constexpr int kRoundTripDigits = 17;

std::string printed(const char* format, int precision, double value) {
  char text[kLongestText];
  const int length = std::snprintf(text, sizeof text, format, precision, value);
  return {text, static_cast<std::size_t>(length)};
}

// The shortest digits that read back as the value, and the power of ten of
// the first: value = d.ddd x 10^exponent.
struct Digits {
  bool negative;
  std::string digits;
  int exponent;
};

Digits digitsOf(const std::string& text) {
  Digits found{text.front() == '-', {}, 0};
  const std::size_t e = text.find('e');
  for (char c : std::string_view(text).substr(0, e)) {
    if (c >= '0' && c <= '9') found.digits += c;
  }
  found.exponent = std::atoi(text.c_str() + e + 1);
  return found;
}

std::string scientific(const Digits& d) {
  std::string text = d.negative ? "-" : "";
  text += d.digits.front();
  if (d.digits.size() > 1) text += "." + d.digits.substr(1);
  const int size = std::abs(d.exponent);
  text += d.exponent < 0 ? "e-" : "e+";
  if (size < 10) text += '0';
  return text + std::to_string(size);
}

// The digits one up in their last place: 1.999 gives 2.000.
Digits oneUp(Digits d) {
  std::size_t at = d.digits.size();
  while (at > 0 && d.digits[at - 1] == '9') d.digits[--at] = '0';
  if (at > 0) {
    ++d.digits[at - 1];
  } else {
    d.digits.insert(0, "1");
    d.digits.pop_back();
    ++d.exponent;
  }
  return d;
}

bool readsBack(const Digits& d, double value) {
  return std::strtod(scientific(d).c_str(), nullptr) == value;
}

// The digits correctly rounded to the fewest that read back; at a power of
// two the next double down lies twice as near as the next one up, so the
// fewest digits may lie one up from the rounded ones, on the far side.
Digits shortestDigits(double value) {
  int exponent = 0;
  const bool powerOfTwo = std::fabs(std::frexp(value, &exponent)) == 0.5;
  Digits found{};
  for (int digits = 1; digits <= kRoundTripDigits; ++digits) {
    found = digitsOf(printed("%.*e", digits - 1, value));
    if (readsBack(found, value)) break;
    if (powerOfTwo && readsBack(oneUp(found), value)) {
      found = oneUp(found);
      break;
    }
  }
  while (found.digits.size() > 1 && found.digits.back() == '0') found.digits.pop_back();
  return found;
}

// Beyond the digits a double holds, its integer is printed whole, as
// printf prints it.
std::string fixedForm(const Digits& d, double value) {
  if (d.exponent >= kRoundTripDigits - 1) return printed("%.*f", 0, value);
  std::string text = d.negative ? "-" : "";
  if (d.exponent < 0) {
    return text + "0." + std::string(static_cast<std::size_t>(-d.exponent) - 1, '0') + d.digits;
  }
  const std::size_t whole = static_cast<std::size_t>(d.exponent) + 1;
  if (d.digits.size() <= whole) return text + d.digits + std::string(whole - d.digits.size(), '0');
  return text + d.digits.substr(0, whole) + "." + d.digits.substr(whole);
}

bool startsNumber(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'i' || c == 'I' || c == 'n' || c == 'N';
}

}  // namespace

namespace fromC {

std::string shortest(double value) {
  if (!std::isfinite(value) || value == 0.0) return printed("%.*g", 1, value);
  const Digits d = shortestDigits(value);
  const std::string inFixed = fixedForm(d, value);
  const std::string withExponent = scientific(d);
  return inFixed.size() <= withExponent.size() ? inFixed : withExponent;
}

std::string shortestFixed(double value) {
  if (!std::isfinite(value) || value == 0.0) return printed("%.*g", 1, value);
  return fixedForm(shortestDigits(value), value);
}

std::string fixed(double value, int decimals) { return printed("%.*f", decimals, value); }

std::string general(double value, int digits) { return printed("%.*g", digits, value); }

const char* read(const char* at, const char* end, double& value) {
  // strtod would also take blanks, a '+' and hexadecimal: from_chars none.
  const char* start = at;
  if (at < end && *at == '-') ++at;
  if (at == end || !startsNumber(*at)) return start;
  char text[kLongestText];
  std::size_t length = 0;
  for (const char* c = start; c < end && length + 1 < sizeof text; ++c) {
    if (*c == 'x' || *c == 'X' || *c == 'p' || *c == 'P') break;
    text[length++] = *c;
  }
  text[length] = '\0';
  char* stop = nullptr;
  errno = 0;
  const double read = std::strtod(text, &stop);
  // Beyond a double's range from_chars reads no number.
  if (stop == text || errno == ERANGE) return start;
  value = read;
  return start + (stop - text);
}

}  // namespace fromC

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L

namespace {

template <typename... Format>
std::string toChars(double value, Format... format) {
  char text[kLongestText];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value, format...);
  return {text, result.ptr};
}

}  // namespace

std::string shortest(double value) { return toChars(value); }
std::string shortestFixed(double value) { return toChars(value, std::chars_format::fixed); }
std::string fixed(double value, int decimals) {
  return toChars(value, std::chars_format::fixed, decimals);
}
std::string general(double value, int digits) {
  return toChars(value, std::chars_format::general, digits);
}
const char* read(const char* at, const char* end, double& value) {
  const std::from_chars_result result = std::from_chars(at, end, value);
  return result.ec == std::errc{} ? result.ptr : at;
}

#else

std::string shortest(double value) { return fromC::shortest(value); }
std::string shortestFixed(double value) { return fromC::shortestFixed(value); }
std::string fixed(double value, int decimals) { return fromC::fixed(value, decimals); }
std::string general(double value, int digits) { return fromC::general(value, digits); }
const char* read(const char* at, const char* end, double& value) {
  return fromC::read(at, end, value);
}

#endif

}  // namespace DecimalChars
