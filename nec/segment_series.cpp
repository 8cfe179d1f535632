#include "nec/segment_series.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace SegmentSeries {
namespace {

// The limit that the last three values point to, where their changes shrink.
std::optional<double> tailSum(double first, double second, double third) {
  const double earlierChange = second - first;
  const double lastChange = third - second;
  if (earlierChange == 0.0) return lastChange == 0.0 ? std::optional(third) : std::nullopt;
  const double ratio = lastChange / earlierChange;
  if (!(ratio >= 0.0 && ratio < 1.0)) return std::nullopt;
  return third + lastChange * ratio / (1.0 - ratio);
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

Estimate extrapolate(std::span<const double> values) {
  const size_t n = values.size();
  if (n == 0) return {NAN, NAN, false};
  const double last = values.back();
  if (n < 2) return {last, INFINITY, false};
  const double lastChange = std::abs(last - values[n - 2]);
  const std::optional<double> limit =
      n >= 3 ? tailSum(values[n - 3], values[n - 2], last) : std::nullopt;
  if (!limit) {
    const double earlierChange = n >= 3 ? std::abs(values[n - 2] - values[n - 3]) : 0.0;
    return {last, std::max(lastChange, earlierChange), false};
  }
  double uncertainty = std::max(lastChange, std::abs(*limit - last));
  if (n >= 4) {
    if (const std::optional<double> before = tailSum(values[n - 4], values[n - 3], values[n - 2])) {
      uncertainty = std::max(uncertainty, std::abs(*limit - *before));
    }
  }
  return {*limit, uncertainty, true};
}

}  // namespace SegmentSeries
