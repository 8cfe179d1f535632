#include "nec/texts/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace NumberText {
namespace {

// Room for any double in fixed form: 309 integer digits, the point and 17
// decimals, with a sign.
constexpr int kLongestText = 340;

template <typename... Format>
std::string toChars(double value, Format... format) {
  char text[kLongestText];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value, format...);
  return {text, result.ptr};
}

}  // namespace

std::string shortest(double value) { return toChars(value); }

std::string plainDecimal(double value) {
  std::string text = toChars(value, std::chars_format::fixed);
  if (text.find_first_of(".ni") == std::string::npos) text += ".0";  // not inf, nan
  return text;
}

std::string withDecimals(double value, int decimals) {
  return toChars(value, std::chars_format::fixed, decimals);
}

int decimalsFor(double uncertainty) {
  constexpr int kMostDecimals = 4;
  if (!(uncertainty > 0.0)) return kMostDecimals;
  const int decimals = -static_cast<int>(std::floor(std::log10(uncertainty)));
  return std::clamp(decimals, 0, kMostDecimals);
}

}  // namespace NumberText
