// The resonating inductance as the segments are halved in turn: when the
// change per halving is small enough, and where the series is going, with
// a range that holds it.
#pragma once

#include <span>

namespace SegmentSeries {

// Refinement stops once a halving changes the inductance by less than this
// fraction of it.
inline constexpr double kSmallChangePerHalving = 0.0025;
// The tail is summed only where the series settled and its changes shrink
// geometrically: the last two ratios of successive changes each above 0
// and at most this.
inline constexpr double kLargestShrink = 0.8;
// Otherwise (a thick element, whose segments cannot be made short enough
// to settle it) the range reaches this many last changes past the finest
// value in the direction the series goes (a tail shrinking by 0.8 a
// halving sums to 4 of them), and this many back: modelled as a cage of
// eight thin wires on the tube's circle, such elements need a coil up to
// 0.9 last changes back from the single wire's finest count, and up to 1.9
// with the cage's joints cut finer, while the single wire's own limit lies
// on the other side.
inline constexpr double kTailChanges = 4.0;
inline constexpr double kBackChanges = 2.0;
// With one count there is no change to go by: this share either way.
inline constexpr double kSingleCountShare = 0.1;

// The change of the last halving as a fraction of the last value; 0 before
// the second value.
double lastChangeFraction(std::span<const double> values);
bool settled(std::span<const double> values);

struct Estimate {
  double value;
  double low;
  double high;
  // The tail was summed (a Richardson extrapolation of observed order);
  // otherwise the value is the last one.
  bool extrapolated;
  double halfWidth() const { return (high - low) / 2.0; }
};

// From values at successive halvings. Where the series settled and its
// changes shrink geometrically, the limit is the last value plus the tail d r ÷ (1 − r)
// of the last change d and its ratio r to the one before, and the range
// either side of it the largest of the last change, the step from the last
// value to the limit, and how far the limit moved from the one the values
// before gave. Otherwise the value is the last one, and the range reaches
// kTailChanges last changes on in the series' direction and kBackChanges
// back.
Estimate estimate(std::span<const double> values);

}  // namespace SegmentSeries
