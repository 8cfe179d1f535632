#include "nec/model/helix_element.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace Nec2 {
namespace {

constexpr int kMostGradedSegments = 10000;
// A wire this much longer than a helix segment is graded; a shorter one
// gets segments about one helix segment long.
constexpr double kShortestGraded = 1.5;

// The length of n segments growing by the ratio from the first.
double seriesLengthM(double firstM, double ratio, int n) {
  return firstM * (std::pow(ratio, n) - 1.0) / (ratio - 1.0);
}

// The ratio above 1 at which n segments, the first nearM long, make up the
// length (more than n × nearM): by halving an interval around it.
double ratioFor(double lengthM, double nearM, int n) {
  // n is at least 2 and the length more than n segments, so that doubling
  // the ratio soon passes it; the count of doublings only guards the loop.
  constexpr int kMostDoublings = 64;
  double low = 1.0;
  double high = 2.0;
  for (int doubling = 0; doubling < kMostDoublings && seriesLengthM(nearM, high, n) < lengthM;
       ++doubling) {
    high *= 2.0;
  }
  for (int step = 0; step < 100; ++step) {
    const double middle = (low + high) / 2.0;
    (seriesLengthM(nearM, middle, n) < lengthM ? low : high) = middle;
  }
  return (low + high) / 2.0;
}

bool isDipole(const HelixElement& e) {
  return e.element.form == LoadedElement::Form::centreFedDipole;
}

// The helix's ends above the feed: centred at the coil's height, moved to
// leave a helix segment of straight wire at either end.
struct Span {
  double bottomM;
  double topM;
};
Span spanOf(const HelixElement& e) {
  const double length = e.helix.lengthM();
  const double margin = e.helix.segmentM();
  const double centre = e.element.coil ? e.element.coil->heightM : 0.0;
  const double highestBottom = e.element.lengthM - margin - length;
  const double bottom = std::min(std::max(centre - length / 2.0, margin), highestBottom);
  return {bottom, bottom + length};
}

// Where the winding ends, as an angle from where it started.
double endDeg(const HelixCoil& helix) {
  return 360.0 * (helix.segments % helix.segmentsPerTurn) / helix.segmentsPerTurn;
}

struct Place {
  double x;
  double y;
};
Place onRadius(const HelixCoil& helix, double deg) {
  const double angle = deg * std::numbers::pi / 180.0;
  return {helix.coilRadiusM * std::cos(angle), helix.coilRadiusM * std::sin(angle)};
}

Wire straight(int segments, Place at, double z1, double z2, double radiusM, double ratio) {
  return {segments, at.x, at.y, z1, at.x, at.y, z2, radiusM, ratio};
}

Wire wound(const HelixCoil& helix, double z1, double z2, double startDeg) {
  return {helix.segments,
          0.0,
          0.0,
          z1,
          0.0,
          0.0,
          z2,
          helix.wireDiameterM / 2.0,
          1.0,
          Winding{helix.pitchM, helix.coilRadiusM, startDeg}};
}

struct Gradings {
  Grading below;  // from the feed to the helix
  Grading above;  // from the helix to the tip
};
Gradings gradingsOf(const HelixElement& e, const Span& span) {
  const double near = e.helix.segmentM();
  const double far = segmentLengthM(e.element);
  return {gradedTowards(span.bottomM, near, far),
          gradedTowards(e.element.lengthM - span.topM, near, far)};
}

void monopole(const HelixElement& e, Structure& s) {
  const Span span = spanOf(e);
  const Gradings g = gradingsOf(e, span);
  const double radius = e.element.diameterM / 2.0;
  const Place start = onRadius(e.helix, 0.0);
  s.comment = "monopole over perfect ground, fed at its base, its coil a helix";
  s.wires.push_back(
      straight(g.below.segments, start, 0.0, span.bottomM, radius, 1.0 / g.below.ratio));
  s.wires.push_back(wound(e.helix, span.bottomM, span.topM, 0.0));
  s.wires.push_back(straight(g.above.segments, onRadius(e.helix, endDeg(e.helix)), span.topM,
                             e.element.lengthM, radius, g.above.ratio));
  s.ground = Ground::perfect;
  s.feed = {1, 1};
  if (e.element.groundLossOhm != 0.0) s.loads.push_back({1, 1, 0.0, e.element.groundLossOhm});
}

// The monopole and its image in the ground, the two segments that touch
// the ground made one: the centre segment, which holds the source.
void dipole(const HelixElement& e, Structure& s) {
  if (e.element.groundLossOhm != 0.0) throw std::invalid_argument("a dipole has no ground loss");
  const Span span = spanOf(e);
  const Gradings g = gradingsOf(e, span);
  const double radius = e.element.diameterM / 2.0;
  const double length = e.element.lengthM;
  const double turn = endDeg(e.helix);
  const Place start = onRadius(e.helix, 0.0);
  const double feedEndM = g.below.farSegmentM;
  const int inner = g.below.segments - 1;
  s.comment = "centre-fed dipole in free space, each half the element, its coils helices";
  s.wires.push_back(straight(g.above.segments, onRadius(e.helix, -turn), -length, -span.topM,
                             radius, 1.0 / g.above.ratio));
  s.wires.push_back(wound(e.helix, -span.topM, -span.bottomM, -turn));
  if (inner > 0)
    s.wires.push_back(straight(inner, start, -span.bottomM, -feedEndM, radius, g.below.ratio));
  s.wires.push_back(straight(1, start, -feedEndM, feedEndM, radius, 1.0));
  s.feed = {static_cast<int>(s.wires.size()), 1};
  if (inner > 0)
    s.wires.push_back(straight(inner, start, feedEndM, span.bottomM, radius, 1.0 / g.below.ratio));
  s.wires.push_back(wound(e.helix, span.bottomM, span.topM, 0.0));
  s.wires.push_back(straight(g.above.segments, onRadius(e.helix, turn), span.topM, length, radius,
                             g.above.ratio));
  s.ground = Ground::freeSpace;
}

// The helix's k-th point from its start, as GH winds it and GM places it.
Place alongHelix(const Wire& w, const Winding& winding, int k, double& z) {
  const double share = static_cast<double>(k) / w.segments;
  const double turns = (w.z2 - w.z1) / winding.pitchM;
  const double angle = (winding.startDeg + 360.0 * turns * share) * std::numbers::pi / 180.0;
  z = w.z1 + (w.z2 - w.z1) * share;
  return {w.x1 + winding.coilRadiusM * std::cos(angle),
          w.y1 + winding.coilRadiusM * std::sin(angle)};
}

}  // namespace

Straightened straightened(const Structure& structure) {
  Straightened out{{}, 0};
  int tag = 0;
  for (const Wire& w : structure.wires) {
    if (++tag == structure.feed.wire) out.feedWire = static_cast<int>(out.wires.size()) + 1;
    if (!w.winding) {
      out.wires.push_back(w);
      continue;
    }
    double z1 = 0.0;
    Place from = alongHelix(w, *w.winding, 0, z1);
    for (int k = 1; k <= w.segments; ++k) {
      double z2 = 0.0;
      const Place to = alongHelix(w, *w.winding, k, z2);
      out.wires.push_back({1, from.x, from.y, z1, to.x, to.y, z2, w.radiusM});
      from = to;
      z1 = z2;
    }
  }
  return out;
}

double HelixCoil::turns() const { return static_cast<double>(segments) / segmentsPerTurn; }

double HelixCoil::lengthM() const { return turns() * pitchM; }

double HelixCoil::segmentM() const {
  const double around = 2.0 * std::numbers::pi * coilRadiusM / segmentsPerTurn;
  const double along = pitchM / segmentsPerTurn;
  return std::hypot(around, along);
}

Grading gradedTowards(double lengthM, double nearSegmentM, double farSegmentM) {
  if (lengthM <= kShortestGraded * nearSegmentM) {
    const int segments = std::max(1, static_cast<int>(std::lround(lengthM / nearSegmentM)));
    return {segments, 1.0, lengthM / segments};
  }
  for (int n = 2; n < kMostGradedSegments; ++n) {
    if (n * nearSegmentM >= lengthM) return {n, 1.0, lengthM / n};
    const double ratio = ratioFor(lengthM, nearSegmentM, n);
    const double farM = nearSegmentM * std::pow(ratio, n - 1);
    if (ratio <= kLargestGrading && farM <= farSegmentM) return {n, ratio, farM};
  }
  return {kMostGradedSegments, 1.0, lengthM / kMostGradedSegments};
}

bool fits(const HelixElement& e) {
  return e.helix.segments >= 1 && e.helix.lengthM() + 2.0 * e.helix.segmentM() <= e.element.lengthM;
}

Structure structureOf(const HelixElement& e) {
  if (!fits(e)) throw std::invalid_argument("the helix does not fit in the element");
  Structure s;
  isDipole(e) ? dipole(e, s) : monopole(e, s);
  s.conductivitySPerM = conductivitySPerM(e.element.conductor);
  s.sweep = e.element.sweep;
  return s;
}

}  // namespace Nec2
