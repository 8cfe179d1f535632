#include "nec/measured/measured_figures.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>
#include <stdexcept>

#include "nec/search/bandwidth.hpp"

namespace MeasuredFigures {
namespace {

using Sweep = std::vector<Bandwidth::Point>;

Sweep sweepOf(const Touchstone::OnePort& measured) {
  Sweep sweep;
  sweep.reserve(measured.points.size());
  for (const Touchstone::Point& point : measured.points) {
    sweep.push_back({point.frequencyHz / 1e6, point.impedance.real(), point.impedance.imag()});
  }
  return sweep;
}

// A sign change of the reactance between the point at index and the next;
// a reactance of 0 counts as positive, as Bandwidth::resonanceMhz takes it.
struct Crossing {
  std::size_t index;
  bool rising;
};

std::vector<Crossing> crossingsOf(const Sweep& sweep) {
  std::vector<Crossing> crossings;
  for (std::size_t at = 1; at < sweep.size(); ++at) {
    const bool negativeBefore = sweep[at - 1].reactanceOhm < 0.0;
    if (negativeBefore != (sweep[at].reactanceOhm < 0.0)) {
      crossings.push_back({at - 1, negativeBefore});
    }
  }
  return crossings;
}

// Where the reactance is 0 between the crossing's points, linear in
// frequency, with the resistance there.
Resonance resonanceAt(const Sweep& sweep, const Crossing& crossing, bool rising) {
  const std::span<const Bandwidth::Point> pair = std::span(sweep).subspan(crossing.index, 2);
  const double x0 = pair[0].reactanceOhm;
  const double mhz = pair[0].frequencyMhz + (pair[1].frequencyMhz - pair[0].frequencyMhz) * x0 /
                                                (x0 - pair[1].reactanceOhm);
  return {mhz, Bandwidth::at(pair, mhz).resistanceOhm, rising};
}

// A run is crossings each within kNoisePoints of the one before: the
// reactance jittering about zero, for as long as it does. Their directions
// alternate, so an odd count is one resonance going the way the first one
// goes and an even count none; the resonance is put where the run's middle
// crossing is.
std::vector<Resonance> resonancesOf(const Sweep& sweep) {
  const std::vector<Crossing> crossings = crossingsOf(sweep);
  std::vector<Resonance> resonances;
  for (std::size_t first = 0, end = 1; first < crossings.size(); first = end++) {
    while (end < crossings.size() &&
           crossings[end].index - crossings[end - 1].index <= kNoisePoints) {
      ++end;
    }
    const std::size_t count = end - first;
    if (count % 2 == 1) {
      resonances.push_back(
          resonanceAt(sweep, crossings[first + count / 2], crossings[first].rising));
    }
  }
  return resonances;
}

// On the feed line's resistance; infinite where a point reflects all.
std::vector<double> swrsOf(const Sweep& sweep) {
  std::vector<double> swrs;
  swrs.reserve(sweep.size());
  for (const Bandwidth::Point& point : sweep) {
    swrs.push_back(Bandwidth::swr(point.resistanceOhm, point.reactanceOhm, Bandwidth::kCableOhm));
  }
  return swrs;
}

struct SwrAt {
  double mhz;
  double swr;
};

// The lowest point refined to the vertex of the parabola through it and its
// neighbours, where it has both and the parabola opens upwards: the vertex
// kept between the neighbours, its SWR between 1 and the point's own (a
// parabola through the V of a close match dips below 1).
SwrAt refined(const Sweep& sweep, const std::vector<double>& swrs, std::size_t lowest) {
  const SwrAt point{sweep[lowest].frequencyMhz, swrs[lowest]};
  if (lowest == 0 || lowest + 1 == swrs.size()) return point;
  const double x0 = sweep[lowest - 1].frequencyMhz;
  const double x2 = sweep[lowest + 1].frequencyMhz;
  const double slopeBelow = (point.swr - swrs[lowest - 1]) / (point.mhz - x0);
  const double slopeAbove = (swrs[lowest + 1] - point.swr) / (x2 - point.mhz);
  const double curvature = (slopeAbove - slopeBelow) / (x2 - x0);
  if (!(curvature > 0.0) || !std::isfinite(curvature)) return point;  // flat, or an SWR infinite
  const double mhz = std::clamp(0.5 * (x0 + point.mhz) - slopeBelow / (2.0 * curvature), x0, x2);
  const double swr =
      swrs[lowest - 1] + slopeBelow * (mhz - x0) + curvature * (mhz - x0) * (mhz - point.mhz);
  return {mhz, std::clamp(swr, 1.0, point.swr)};
}

// Walking by step (+1 or −1) from the minimum over the points beyond its
// frequency (the lowest point's neighbour first where the two coincide):
// where the SWR first reaches 2, linear between that point and the one
// before it, the minimum itself before the first. A point whose SWR is
// infinite puts it on the one before.
std::optional<double> swr2Edge(const Sweep& sweep, const std::vector<double>& swrs,
                               std::size_t lowest, SwrAt minimum, int step) {
  const auto count = static_cast<std::ptrdiff_t>(swrs.size());
  auto outer = static_cast<std::ptrdiff_t>(lowest);
  if ((sweep[lowest].frequencyMhz - minimum.mhz) * step <= 0.0) outer += step;
  for (SwrAt inner = minimum; outer >= 0 && outer < count; outer += step) {
    const SwrAt next{sweep[static_cast<std::size_t>(outer)].frequencyMhz,
                     swrs[static_cast<std::size_t>(outer)]};
    if (next.swr >= kSwrLimit) {
      return inner.mhz + (next.mhz - inner.mhz) * (kSwrLimit - inner.swr) / (next.swr - inner.swr);
    }
    inner = next;
  }
  return std::nullopt;
}

}  // namespace

Figures of(const Touchstone::OnePort& measured) {
  if (measured.points.empty()) throw std::logic_error("a measured antenna without points");
  const Sweep sweep = sweepOf(measured);
  Figures figures;
  figures.resonances = resonancesOf(sweep);
  figures.points = static_cast<int>(sweep.size());
  figures.firstMhz = sweep.front().frequencyMhz;
  figures.lastMhz = sweep.back().frequencyMhz;
  const std::vector<double> swrs = swrsOf(sweep);
  const auto lowest =
      static_cast<std::size_t>(std::min_element(swrs.begin(), swrs.end()) - swrs.begin());
  if (!std::isfinite(swrs[lowest])) return figures;  // every point reflects all
  const SwrAt minimum = refined(sweep, swrs, lowest);
  figures.minimumSwr = minimum.swr;
  figures.minimumSwrMhz = minimum.mhz;
  if (minimum.swr >= kSwrLimit) return figures;
  figures.swr2LowMhz = swr2Edge(sweep, swrs, lowest, minimum, -1);
  figures.swr2HighMhz = swr2Edge(sweep, swrs, lowest, minimum, +1);
  return figures;
}

std::optional<Resonance> nearest(const Figures& figures, double mhz) {
  const bool anyRising = std::any_of(figures.resonances.begin(), figures.resonances.end(),
                                     [](const Resonance& r) { return r.rising; });
  std::optional<Resonance> found;
  for (const Resonance& resonance : figures.resonances) {
    if (anyRising && !resonance.rising) continue;
    if (!found || std::abs(resonance.mhz - mhz) < std::abs(found->mhz - mhz)) found = resonance;
  }
  return found;
}

}  // namespace MeasuredFigures
