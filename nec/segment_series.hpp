// The resonating inductance as the segments are halved in turn: when the
// change per halving is small enough, and the limit the series tends to,
// with its uncertainty.
#pragma once

#include <span>

namespace SegmentSeries {

// Refinement stops once a halving changes the inductance by less than this
// fraction of it.
inline constexpr double kSmallChangePerHalving = 0.0025;

// The change of the last halving as a fraction of the last value; 0 before
// the second value.
double lastChangeFraction(std::span<const double> values);
bool settled(std::span<const double> values);

struct Estimate {
  double value;
  double uncertainty;
  // The last halvings shrink the change geometrically, so the tail could be
  // summed; false where they did not (too few values, a change that grew or
  // changed sign): the estimate is then the last value.
  bool extrapolated;
};

// From values at successive halvings: the last three give the ratio r of
// the last two changes d, and the tail still to come, d r ÷ (1 − r), as a
// Richardson extrapolation of observed order would. The uncertainty is the
// largest of the last change, the step from the last value to the estimate,
// and how far the estimate moved from the one the three values before gave.
Estimate extrapolate(std::span<const double> values);

}  // namespace SegmentSeries
