#include "docs/accuracy/antenna_reference.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <utility>

namespace AntennaReference {
namespace {

// Finds a zero of g between a and b, where g(a) and g(b) have opposite
// signs, by regula falsi with the Illinois step (one end halved when it is
// kept twice), to a relative width of 1e-7.
double findZero(const std::function<double(double)>& g, double a, double b) {
  double ga = g(a);
  double gb = g(b);
  if ((ga < 0.0) == (gb < 0.0)) throw std::runtime_error("no sign change in the bracket");
  int kept = 0;
  for (int step = 0; step < 100; ++step) {
    double x = (a * gb - b * ga) / (gb - ga);
    double gx = g(x);
    if (gx == 0.0) return x;
    if ((gx < 0.0) == (ga < 0.0)) {
      a = x;
      ga = gx;
      if (kept == 1) gb /= 2.0;
      kept = 1;
    } else {
      b = x;
      gb = gx;
      if (kept == -1) ga /= 2.0;
      kept = -1;
    }
    if (std::fabs(b - a) <= 1e-7 * std::fabs(x)) return x;
  }
  throw std::runtime_error("no convergence");
}

// Moves b away from a by the factor until g changes sign from g(a), and
// returns the last point before the change and the first after it.
std::pair<double, double> bracket(const std::function<double(double)>& g, double a, double b,
                                  double factor) {
  const bool negativeAtA = g(a) < 0.0;
  for (int step = 0; step < 60; ++step) {
    if ((g(b) < 0.0) != negativeAtA) return {a, b};
    a = b;
    b *= factor;
  }
  throw std::runtime_error("no sign change found");
}

double wavelength(const Monopole& monopole) { return Nec2::wavelengthM(monopole.frequencyMhz); }

double segmentLength(const Monopole& monopole) {
  return 2.0 * monopole.lengthM / dipoleSegments(monopole);
}

}  // namespace

int dipoleSegments(const Monopole& monopole) {
  double nominal = 2.0 * monopole.lengthM / wavelength(monopole) * monopole.segmentsPerWave;
  int odd = 2 * static_cast<int>(std::lround(nominal / 2.0)) + 1;
  return std::max(odd, 11);
}

double segmentToRadius(const Monopole& monopole) {
  return segmentLength(monopole) / (monopole.diameterM / 2.0);
}

Nec2::Structure dipoleOf(const Monopole& monopole) {
  Nec2::Structure dipole;
  int segments = dipoleSegments(monopole);
  dipole.comment = "monopole over perfect ground as a centre-fed dipole of twice its length";
  dipole.wires.push_back({segments, 0.0, 0.0, -monopole.lengthM, 0.0, 0.0, monopole.lengthM,
                          monopole.diameterM / 2.0});
  dipole.feed = {1, (segments + 1) / 2};
  dipole.sweep = {monopole.frequencyMhz};
  return dipole;
}

std::complex<double> feedImpedance(const Monopole& monopole) {
  return Nec2::feedImpedance(dipoleOf(monopole)) / 2.0;
}

Nec2::Structure coilLoadedDipole(const Monopole& monopole, int coilSegmentsAboveFeed,
                                 double reactanceOhm) {
  Nec2::Structure dipole = dipoleOf(monopole);
  dipole.comment = "monopole with a coil part-way up, as a dipole with a coil in each half";
  dipole.loads.push_back({1, dipole.feed.segment + coilSegmentsAboveFeed, reactanceOhm});
  dipole.loads.push_back({1, dipole.feed.segment - coilSegmentsAboveFeed, reactanceOhm});
  return dipole;
}

CentreCoil resonatingCoil(const Monopole& monopole, double wantedHeightM) {
  const int halfSegments = (dipoleSegments(monopole) - 1) / 2;
  const int above = std::clamp(
      static_cast<int>(std::lround(wantedHeightM / segmentLength(monopole))), 1, halfSegments);
  auto reactanceAtFeed = [&](double coilReactance) {
    return Nec2::feedImpedance(coilLoadedDipole(monopole, above, coilReactance)).imag();
  };
  // A coil higher up needs more reactance than one at the base; small steps
  // keep the search below the parallel resonance that follows the series one.
  double base = std::max(-feedImpedance(monopole).imag(), 1.0);
  auto [low, high] = bracket(reactanceAtFeed, 0.0, base, 1.25);
  double reactance = findZero(reactanceAtFeed, low, high);
  double resistance =
      Nec2::feedImpedance(coilLoadedDipole(monopole, above, reactance)).real() / 2.0;
  return {above, above * segmentLength(monopole), reactance, resistance};
}

Nec2::Structure topHatDipole(const Monopole& monopole, double spokeLengthM, int spokeSegments) {
  Nec2::Structure dipole = dipoleOf(monopole);
  dipole.comment = "monopole with a four-spoke top hat, as a dipole with a hat at each end";
  const double radius = monopole.diameterM / 2.0;
  for (double z : {monopole.lengthM, -monopole.lengthM}) {
    for (auto [dx, dy] : {std::pair{1.0, 0.0}, {0.0, 1.0}, {-1.0, 0.0}, {0.0, -1.0}}) {
      dipole.wires.push_back(
          {spokeSegments, 0.0, 0.0, z, dx * spokeLengthM, dy * spokeLengthM, z, radius});
    }
  }
  return dipole;
}

TopHat resonatingTopHat(const Monopole& monopole) {
  auto searchWith = [&](int spokeSegments, double low, double high) {
    auto reactanceAtFeed = [&](double spoke) {
      if (spoke == 0.0) return feedImpedance(monopole).imag();
      return Nec2::feedImpedance(topHatDipole(monopole, spoke, spokeSegments)).imag();
    };
    auto [below, above] = bracket(reactanceAtFeed, low, high, 1.25);
    return findZero(reactanceAtFeed, below, above);
  };
  // First with spokes of eight segments, then again with spokes cut into
  // segments about as long as those of the vertical wire.
  double rough = searchWith(8, 0.0, 0.005 * wavelength(monopole));
  int segments = std::max(2, static_cast<int>(std::lround(rough / segmentLength(monopole))));
  double spoke = searchWith(segments, 0.0, 0.8 * rough);
  double resistance = Nec2::feedImpedance(topHatDipole(monopole, spoke, segments)).real() / 2.0;
  return {segments, spoke, resistance};
}

Resonance firstResonance(double diameterM, double frequencyMhz, int segmentsPerWave) {
  const double quarterWave = Nec2::wavelengthM(frequencyMhz) / 4.0;
  const int segments = dipoleSegments({quarterWave, diameterM, frequencyMhz, segmentsPerWave});
  auto monopoleOf = [&](double length) {
    Nec2::Structure dipole = dipoleOf({length, diameterM, frequencyMhz, segmentsPerWave});
    dipole.wires[0].segments = segments;
    dipole.feed.segment = (segments + 1) / 2;
    return dipole;
  };
  auto reactanceAtFeed = [&](double length) {
    return Nec2::feedImpedance(monopoleOf(length)).imag();
  };
  double length = findZero(reactanceAtFeed, 0.8 * quarterWave, 1.04 * quarterWave);
  return {length, Nec2::feedImpedance(monopoleOf(length)).real() / 2.0};
}

}  // namespace AntennaReference
