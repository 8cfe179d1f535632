#include "nec/search/bandwidth.hpp"

#include <cmath>
#include <complex>
#include <numbers>

#include "nec/model/structure.hpp"

namespace Bandwidth {
namespace {

// The index of the sweep's last point at or below the frequency, kept so
// that it and the next one exist.
size_t segmentBelow(std::span<const Point> sweep, double frequencyMhz) {
  size_t below = 0;
  while (below + 2 < sweep.size() && sweep[below + 1].frequencyMhz <= frequencyMhz) ++below;
  return below;
}

double interpolate(double x0, double y0, double x1, double y1, double x) {
  return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

double swrOf(const Point& point, double referenceOhm) {
  return swr(point.resistanceOhm, point.reactanceOhm, referenceOhm);
}

// Walking from f₀ by step (+1 or −1) over the sweep: where the SWR first
// reaches the limit, between the last point below it and the first at it.
std::optional<double> edge(std::span<const Point> sweep, double resonanceMhz, double referenceOhm,
                           double swrLimit, int step) {
  Point inner = at(sweep, resonanceMhz);
  const auto count = static_cast<long>(sweep.size());
  auto index = static_cast<long>(segmentBelow(sweep, resonanceMhz)) + (step > 0 ? 1 : 0);
  for (; index >= 0 && index < count; index += step) {
    const Point& outer = sweep[static_cast<size_t>(index)];
    if ((outer.frequencyMhz - resonanceMhz) * step <= 0.0) continue;  // f₀ on this point
    if (swrOf(outer, referenceOhm) >= swrLimit) {
      return interpolate(swrOf(inner, referenceOhm), inner.frequencyMhz, swrOf(outer, referenceOhm),
                         outer.frequencyMhz, swrLimit);
    }
    inner = outer;
  }
  return std::nullopt;
}

}  // namespace

double swr(double resistanceOhm, double reactanceOhm, double referenceOhm) {
  const std::complex<double> impedance{resistanceOhm, reactanceOhm};
  const double reflection = std::abs((impedance - referenceOhm) / (impedance + referenceOhm));
  if (reflection >= 1.0) return INFINITY;
  return (1.0 + reflection) / (1.0 - reflection);
}

Point at(std::span<const Point> sweep, double frequencyMhz) {
  const size_t below = segmentBelow(sweep, frequencyMhz);
  const Point& p0 = sweep[below];
  const Point& p1 = sweep[below + 1];
  return {frequencyMhz,
          interpolate(p0.frequencyMhz, p0.resistanceOhm, p1.frequencyMhz, p1.resistanceOhm,
                      frequencyMhz),
          interpolate(p0.frequencyMhz, p0.reactanceOhm, p1.frequencyMhz, p1.reactanceOhm,
                      frequencyMhz)};
}

std::optional<double> resonanceMhz(std::span<const Point> sweep) {
  for (size_t i = 1; i < sweep.size(); ++i) {
    const Point& p0 = sweep[i - 1];
    const Point& p1 = sweep[i];
    if (p0.reactanceOhm < 0.0 && p1.reactanceOhm >= 0.0) {
      return interpolate(p0.reactanceOhm, p0.frequencyMhz, p1.reactanceOhm, p1.frequencyMhz, 0.0);
    }
  }
  return std::nullopt;
}

std::optional<Edges> swrEdges(std::span<const Point> sweep, double resonanceMhz,
                              double referenceOhm, double swrLimit) {
  if (swrOf(at(sweep, resonanceMhz), referenceOhm) >= swrLimit) return std::nullopt;
  const std::optional<double> lower = edge(sweep, resonanceMhz, referenceOhm, swrLimit, -1);
  const std::optional<double> upper = edge(sweep, resonanceMhz, referenceOhm, swrLimit, +1);
  if (!lower || !upper) return std::nullopt;
  return Edges{*lower, *upper};
}

// The slope between the points either side of f₀, both off it: a central
// difference where f₀ falls on a point.
double slopeQ(std::span<const Point> sweep, double resonanceMhz) {
  size_t below = segmentBelow(sweep, resonanceMhz);
  if (below > 0 && sweep[below].frequencyMhz == resonanceMhz) --below;
  size_t above = below + 1;
  if (above + 1 < sweep.size() && sweep[above].frequencyMhz == resonanceMhz) ++above;
  const Point& p0 = sweep[below];
  const Point& p1 = sweep[above];
  const double step = p1.frequencyMhz - p0.frequencyMhz;
  const std::complex<double> slope{(p1.resistanceOhm - p0.resistanceOhm) / step,
                                   (p1.reactanceOhm - p0.reactanceOhm) / step};
  return resonanceMhz / (2.0 * at(sweep, resonanceMhz).resistanceOhm) * std::abs(slope);
}

double predictedFractionalBandwidth(double q, double swrLimit) {
  return (swrLimit - 1.0) / (q * std::sqrt(swrLimit));
}

double chuLimitQ(double frequencyMhz, double sphereRadiusM) {
  const double wavenumber = 2.0 * std::numbers::pi * frequencyMhz / Nec2::kLightSpeed;
  const double ka = wavenumber * sphereRadiusM;
  return 1.0 / (ka * ka * ka) + 1.0 / ka;
}

}  // namespace Bandwidth
