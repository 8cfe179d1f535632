#include "nec/texts/number_text.hpp"

#include <algorithm>
#include <cmath>

#include "nec/model/decimal_chars.hpp"

namespace NumberText {

std::string shortest(double value) { return DecimalChars::shortest(value); }

std::string plainDecimal(double value) {
  std::string text = DecimalChars::shortestFixed(value);
  if (text.find_first_of(".ni") == std::string::npos) text += ".0";  // not inf, nan
  return text;
}

std::string withDecimals(double value, int decimals) {
  return DecimalChars::fixed(value, decimals);
}

int decimalsFor(double uncertainty) {
  constexpr int kMostDecimals = 4;
  if (!(uncertainty > 0.0)) return kMostDecimals;
  const int decimals = -static_cast<int>(std::floor(std::log10(uncertainty)));
  return std::clamp(decimals, 0, kMostDecimals);
}

}  // namespace NumberText
