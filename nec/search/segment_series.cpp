#include "nec/search/segment_series.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace SegmentSeries {
namespace {

bool shrinks(double earlierChange, double laterChange) {
  if (earlierChange == 0.0) return false;
  const double ratio = laterChange / earlierChange;
  return ratio > 0.0 && ratio <= kLargestShrink;
}

// The limit that the three values ending at index i point to, where their
// changes shrink geometrically.
std::optional<double> tailSum(std::span<const double> v, std::size_t i) {
  const double earlierChange = v[i - 1] - v[i - 2];
  const double lastChange = v[i] - v[i - 1];
  if (!shrinks(earlierChange, lastChange)) return std::nullopt;
  const double ratio = lastChange / earlierChange;
  return v[i] + lastChange * ratio / (1.0 - ratio);
}

Estimate around(double value, double halfWidth, bool extrapolated) {
  return {value, value - halfWidth, value + halfWidth, extrapolated};
}

}  // namespace

double lastChangeFraction(std::span<const double> values) {
  if (values.size() < 2) return 0.0;
  const double last = values.back();
  return std::abs(last - values[values.size() - 2]) / std::abs(last);
}

bool settled(std::span<const double> values) {
  return values.size() >= 2 && lastChangeFraction(values) < kSmallChangePerHalving;
}

Estimate estimate(std::span<const double> values) {
  const std::size_t n = values.size();
  if (n == 0) return {NAN, NAN, NAN, false};
  const double last = values.back();
  if (n == 1) return around(last, kSingleCountShare * std::abs(last), false);
  const double lastChange = last - values[n - 2];
  const std::optional<double> limit =
      n >= 4 && settled(values) ? tailSum(values, n - 1) : std::nullopt;
  const std::optional<double> before = limit ? tailSum(values, n - 2) : std::nullopt;
  if (limit && before) {
    const double halfWidth =
        std::max({std::abs(lastChange), std::abs(*limit - last), std::abs(*limit - *before)});
    return around(*limit, halfWidth, true);
  }
  const double onward = last + kTailChanges * lastChange;
  const double back = last - kBackChanges * lastChange;
  return {last, std::min(onward, back), std::max(onward, back), false};
}

}  // namespace SegmentSeries
