// The fixed-point number format of the result lines.
#pragma once

#include <string_view>

namespace FixedFormat {

// Room for the longest text: a 36-digit integer part, 15 decimals, the sign
// and the point, padded to a width of at most kMaxWidth.
constexpr int kMaxWidth = 64;

struct Text {
  char bytes[kMaxWidth + 56];
  int length = 0;
  std::string_view view() const { return {bytes, static_cast<size_t>(length)}; }
};

// Formats value with the given decimals (at most 15 are produced), taking at
// most 15 significant digits from it and rounding half up after a small
// correction, right-aligned in a field of at least width bytes. Magnitudes
// whose integer part has 37 or more digits are written in scientific form.
Text format(double value, int width, int decimals);

}  // namespace FixedFormat
