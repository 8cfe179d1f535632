#include "nec/model/loaded_element.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <stdexcept>

namespace Nec2 {
namespace {

constexpr double kCopperSPerM = 5.8e7;
constexpr double kAluminiumSPerM = 3.5e7;

bool isDipole(const LoadedElement& element) {
  return element.form == LoadedElement::Form::centreFedDipole;
}

// A stretch of straight wire along the element's axis, from its feed end.
struct Stretch {
  double fromM;
  double toM;
  int segments;
};

// A coil at the base sits on the feed segment; any other has its own.
bool hasOwnSegment(const LoadedElement& element) {
  return element.coil && element.coil->heightM > 0.0;
}

// Where the feed segment of the half ends: the monopole's is its first
// segment, on the wire below the coil; the dipole's is a segment of its
// own centred on the middle, half of it in each half.
double halfStartM(const LoadedElement& element) {
  return isDipole(element) ? segmentLengthM(element) / 2.0 : 0.0;
}

// Cut into the whole number of segments nearest its length in nominal
// segments. A coil at a simple fraction of the element puts that length on
// a half often (two thirds of 81 segments less half a segment is 53.5),
// where the last bit of the heights' arithmetic would decide: ties are
// broken upwards, whatever that bit.
Stretch stretch(double fromM, double toM, double segmentM) {
  constexpr double kTieWidth = 1e-9;
  const double nominal = (toM - fromM) / segmentM;
  const int segments = std::max(1, static_cast<int>(std::floor(nominal + 0.5 + kTieWidth)));
  return {fromM, toM, segments};
}

// One half of the element, its coil on a segment of its own: the wire
// below the coil, the coil's segment, and the wire above it where the
// coil's segment does not reach the tip.
struct Half {
  Stretch below;
  Stretch coil;
  std::optional<Stretch> above;
};
Half halfOf(const LoadedElement& element) {
  const double segment = segmentLengthM(element);
  const double centre = placedCoilHeightM(element);
  const double bottom = centre - segment / 2.0;
  const double top = centre + segment / 2.0;
  Half half{stretch(halfStartM(element), bottom, segment), {bottom, top, 1}, std::nullopt};
  // Placed at the tip, the coil's segment ends there exactly.
  if (element.lengthM - top < segment / 4.0) {
    half.coil.toM = element.lengthM;
  } else {
    half.above = stretch(top, element.lengthM, segment);
  }
  return half;
}

Wire along(const Stretch& s, double radiusM, double sign) {
  const double from = sign > 0.0 ? s.fromM : -s.toM;
  const double to = sign > 0.0 ? s.toM : -s.fromM;
  return {s.segments, 0.0, 0.0, from, 0.0, 0.0, to, radiusM};
}

SeriesLoad coilLoad(const LoadingCoil& coil, int wire, int segment, double share = 1.0) {
  return {wire, segment, share * coil.lossResistanceOhm(), share * coil.inductanceH};
}

Structure monopole(const LoadedElement& element) {
  Structure structure;
  structure.comment = "monopole over perfect ground, fed at its base";
  const double radius = element.diameterM / 2.0;
  if (hasOwnSegment(element)) {
    const Half half = halfOf(element);
    structure.wires.push_back(along(half.below, radius, 1.0));
    structure.wires.push_back(along(half.coil, radius, 1.0));
    if (half.above) structure.wires.push_back(along(*half.above, radius, 1.0));
    structure.seriesLoads.push_back(coilLoad(*element.coil, 2, 1));
  } else {
    structure.wires.push_back({element.segments, 0.0, 0.0, 0.0, 0.0, 0.0, element.lengthM, radius});
    if (element.coil) structure.seriesLoads.push_back(coilLoad(*element.coil, 1, 1));
  }
  structure.ground = Ground::perfect;
  structure.feed = {1, 1};
  if (element.groundLossOhm != 0.0) structure.loads.push_back({1, 1, 0.0, element.groundLossOhm});
  return structure;
}

// The dipole from its lower tip up: the lower half mirrored, the feed
// segment across the middle, the upper half.
Structure dipole(const LoadedElement& element) {
  if (element.groundLossOhm != 0.0) throw std::invalid_argument("a dipole has no ground loss");
  Structure structure;
  structure.comment = "centre-fed dipole in free space, each half the element";
  structure.ground = Ground::freeSpace;
  const double radius = element.diameterM / 2.0;
  const double length = element.lengthM;
  if (!hasOwnSegment(element)) {
    // One wire, the source on its middle segment; a coil at the base of
    // each half puts both coils in series there.
    structure.wires.push_back(
        {2 * element.segments + 1, 0.0, 0.0, -length, 0.0, 0.0, length, radius});
    structure.feed = {1, element.segments + 1};
    if (element.coil)
      structure.seriesLoads.push_back(coilLoad(*element.coil, 1, element.segments + 1, 2.0));
    return structure;
  }
  const Half half = halfOf(element);
  auto add = [&](const Stretch& s, double sign) {
    structure.wires.push_back(along(s, radius, sign));
    return static_cast<int>(structure.wires.size());
  };
  if (half.above) add(*half.above, -1.0);
  const int lowerCoil = add(half.coil, -1.0);
  add(half.below, -1.0);
  const double feedHalfM = halfStartM(element);
  structure.feed = {add({-feedHalfM, feedHalfM, 1}, 1.0), 1};
  add(half.below, 1.0);
  const int upperCoil = add(half.coil, 1.0);
  if (half.above) add(*half.above, 1.0);
  for (const int wire : {lowerCoil, upperCoil}) {
    structure.seriesLoads.push_back(coilLoad(*element.coil, wire, 1));
  }
  return structure;
}

}  // namespace

std::optional<double> conductivitySPerM(Conductor conductor) {
  switch (conductor) {
    case Conductor::copper: return kCopperSPerM;
    case Conductor::aluminium: return kAluminiumSPerM;
    case Conductor::perfect: break;
  }
  return std::nullopt;
}

double LoadingCoil::lossResistanceOhm() const {
  const double omega = 2.0 * std::numbers::pi * qFrequencyMhz * 1e6;
  return omega * inductanceH / q;
}

Structure structureOf(const LoadedElement& element) {
  if (element.segments < 1) throw std::invalid_argument("an element needs a segment");
  Structure structure = isDipole(element) ? dipole(element) : monopole(element);
  structure.conductivitySPerM = conductivitySPerM(element.conductor);
  structure.sweep = element.sweep;
  return structure;
}

double segmentLengthM(const LoadedElement& element) { return element.lengthM / element.segments; }

double shortestSegmentM(const LoadedElement& element) {
  const Structure structure = structureOf(element);
  double shortest = std::numeric_limits<double>::infinity();
  for (const Wire& wire : structure.wires) {
    shortest = std::min(shortest, std::abs(wire.z2 - wire.z1) / wire.segments);
  }
  return shortest;
}

double placedCoilHeightM(const LoadedElement& element) {
  const double segment = segmentLengthM(element);
  if (!hasOwnSegment(element)) return isDipole(element) ? 0.0 : segment / 2.0;
  // Half a segment or more of wire above the coil's segment, or none.
  double centre = element.coil->heightM;
  if (element.lengthM - (centre + segment / 2.0) < segment / 2.0) {
    centre = element.lengthM - segment / 2.0;
  }
  // Half a segment or more of wire between the feed segment and the coil's.
  return std::max(centre, halfStartM(element) + segment);
}

}  // namespace Nec2
