#include "nec/search/root_search.hpp"

#include <algorithm>
#include <cmath>

namespace RootSearch {
namespace {

// A step from outside the bracket grows at most this much over the last.
constexpr double kLargestGrowth = 2.0;
// A false-position point within this share of the width from an end is
// replaced by the middle.
constexpr double kEdgeShare = 0.05;

double onGrid(double x, const Limits& limits) {
  return limits.quantum > 0.0 ? std::round(x / limits.quantum) * limits.quantum : x;
}

class Search {
 public:
  Search(const std::function<double(double)>& value, const Limits& limits, Point first)
      : value_(value), limits_(limits), best_(first) {}

  Point run(double x) {
    ++runs_;
    const Point p{x, value_(x)};
    if (std::abs(p.value) < std::abs(best_.value)) best_ = p;
    return p;
  }
  bool runsLeft() const { return runs_ < limits_.mostRuns; }
  bool closeEnough() const { return std::abs(best_.value) <= limits_.closeEnough; }
  Crossing crossing(Point below, Point above) const { return {below, above, best_, runs_}; }
  const Limits& limits() const { return limits_; }

 private:
  const std::function<double(double)>& value_;
  const Limits& limits_;
  Point best_;
  int runs_ = 1;
};

// The next x beyond the last point, on the side where the root must lie:
// the secant's step, at least one quantum, at most twice the last step.
double stepOut(const Point& previous, const Point& last, const Limits& limits) {
  const double direction = last.value < 0.0 ? 1.0 : -1.0;
  const double lastStep =
      std::max({std::abs(last.x - previous.x), limits.quantum, 1e-6 * std::abs(last.x)});
  double step = lastStep;
  if (last.value != previous.value) {
    const double secant = -last.value * (last.x - previous.x) / (last.value - previous.value);
    if (secant * direction > 0.0) step = std::abs(secant);
  }
  step = std::clamp(step, std::min(limits.quantum, lastStep), kLargestGrowth * lastStep);
  double x = onGrid(last.x + direction * step, limits);
  if (x == last.x) x += direction * limits.quantum;
  return std::clamp(x, limits.lowest, limits.highest);
}

// Inside the bracket: false position, kept off the ends, on the grid and
// strictly between them.
double stepIn(const Point& below, const Point& above, double belowWeight, double aboveWeight,
              const Limits& limits) {
  const double width = above.x - below.x;
  const double v0 = below.value * belowWeight;
  const double v1 = above.value * aboveWeight;
  double x = below.x - v0 * width / (v1 - v0);
  if (!(x > below.x + kEdgeShare * width && x < above.x - kEdgeShare * width)) {
    x = below.x + width / 2.0;
  }
  x = onGrid(x, limits);
  if (limits.quantum > 0.0) x = std::clamp(x, below.x + limits.quantum, above.x - limits.quantum);
  return x;
}

std::optional<Crossing> narrow(Search& search, Point below, Point above) {
  const Limits& limits = search.limits();
  double belowWeight = 1.0;
  double aboveWeight = 1.0;
  int keptSide = 0;  // -1 below kept last, +1 above
  while (search.runsLeft() && !search.closeEnough() &&
         above.x - below.x > std::max(limits.narrowest, limits.quantum)) {
    const Point p = search.run(stepIn(below, above, belowWeight, aboveWeight, limits));
    if (p.value < 0.0) {
      below = p;
      belowWeight = 1.0;
      aboveWeight = keptSide == 1 ? aboveWeight / 2.0 : 1.0;
      keptSide = 1;
    } else {
      above = p;
      aboveWeight = 1.0;
      belowWeight = keptSide == -1 ? belowWeight / 2.0 : 1.0;
      keptSide = -1;
    }
  }
  return search.crossing(below, above);
}

}  // namespace

double Crossing::rootX() const {
  if (above.value == below.value) return best.x;
  return below.x - below.value * (above.x - below.x) / (above.value - below.value);
}

std::optional<Crossing> findCrossing(const std::function<double(double)>& value, Point first,
                                     double guess, const Limits& limits) {
  Search search(value, limits, first);
  Point previous = first;
  double x = std::clamp(onGrid(guess, limits), limits.lowest, limits.highest);
  if (x == first.x) x = stepOut(first, first, limits);
  while (search.runsLeft() && x != previous.x) {
    const Point last = search.run(x);
    const Point& low = last.x < previous.x ? last : previous;
    const Point& high = last.x < previous.x ? previous : last;
    if (low.value < 0.0 && high.value >= 0.0) return narrow(search, low, high);
    x = stepOut(previous, last, limits);
    previous = last;
  }
  return std::nullopt;
}

}  // namespace RootSearch
