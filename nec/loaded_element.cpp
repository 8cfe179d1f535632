#include "nec/loaded_element.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace Nec2 {
namespace {

constexpr double kCopperSPerM = 5.8e7;
constexpr double kAluminiumSPerM = 3.5e7;

bool isDipole(const LoadedElement& element) {
  return element.form == LoadedElement::Form::centreFedDipole;
}

// The dipole's wire runs from -length to +length along z; its segments are
// counted from the bottom, and the middle one holds the source.
int dipoleMiddleSegment(const LoadedElement& element) { return element.segments + 1; }

Structure monopole(const LoadedElement& element) {
  Structure structure;
  structure.comment = "monopole over perfect ground, fed at its base";
  structure.wires.push_back(
      {element.segments, 0.0, 0.0, 0.0, 0.0, 0.0, element.lengthM, element.diameterM / 2.0});
  structure.ground = Ground::perfect;
  structure.feed = {1, 1};
  if (element.coil) {
    const LoadingCoil& coil = *element.coil;
    structure.seriesLoads.push_back(
        {1, coilSegment(element), coil.lossResistanceOhm(), coil.inductanceH});
  }
  if (element.groundLossOhm != 0.0) structure.loads.push_back({1, 1, 0.0, element.groundLossOhm});
  return structure;
}

Structure dipole(const LoadedElement& element) {
  if (element.groundLossOhm != 0.0) throw std::invalid_argument("a dipole has no ground loss");
  Structure structure;
  structure.comment = "centre-fed dipole in free space, each half the element";
  structure.wires.push_back({2 * element.segments + 1, 0.0, 0.0, -element.lengthM, 0.0, 0.0,
                             element.lengthM, element.diameterM / 2.0});
  structure.ground = Ground::freeSpace;
  const int middle = dipoleMiddleSegment(element);
  structure.feed = {1, middle};
  if (element.coil) {
    const LoadingCoil& coil = *element.coil;
    const int above = coilSegment(element) - 1;
    if (above == 0) {
      // Both halves' coils at the source: in series there.
      structure.seriesLoads.push_back(
          {1, middle, 2.0 * coil.lossResistanceOhm(), 2.0 * coil.inductanceH});
    } else {
      for (int segment : {middle - above, middle + above}) {
        structure.seriesLoads.push_back({1, segment, coil.lossResistanceOhm(), coil.inductanceH});
      }
    }
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

double segmentLengthM(const LoadedElement& element) {
  if (isDipole(element)) return 2.0 * element.lengthM / (2 * element.segments + 1);
  return element.lengthM / element.segments;
}

int coilSegment(const LoadedElement& element) {
  const double height = element.coil ? element.coil->heightM : 0.0;
  const double segment = segmentLengthM(element);
  // The monopole's segment i is centred (i - 1/2) segments up; the
  // dipole's i-th from the middle, i - 1 segments up.
  const double fromFeed =
      isDipole(element) ? std::round(height / segment) : std::floor(height / segment);
  const int last = isDipole(element) ? element.segments + 1 : element.segments;
  return std::clamp(static_cast<int>(fromFeed) + 1, 1, last);
}

double placedCoilHeightM(const LoadedElement& element) {
  const double segmentsUp = coilSegment(element) - (isDipole(element) ? 1.0 : 0.5);
  return segmentsUp * segmentLengthM(element);
}

}  // namespace Nec2
