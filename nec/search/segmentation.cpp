#include "nec/search/segmentation.hpp"

#include "nec/design/model_range.hpp"

namespace Segmentation {
namespace {

using Nec2::wavelengthM;

bool withinLongest(const Nec2::LoadedElement& element, double frequencyMhz) {
  return Nec2::segmentLengthM(element) <=
         ModelRange::kLongestSegmentWavelengths * wavelengthM(frequencyMhz);
}

Nec2::LoadedElement withSegments(Nec2::LoadedElement element, int segments) {
  element.segments = segments;
  return element;
}

// The first count of the series whose segments are within the longest
// segment the model allows: 21, 41, 81, ...
int coarsestCount(const Nec2::LoadedElement& element, double frequencyMhz) {
  int segments = kFewestSegments;
  for (int halvings = 0; halvings < kMostHalvings; ++halvings) {
    if (withinLongest(withSegments(element, segments), frequencyMhz)) break;
    segments = 2 * segments - 1;
  }
  return segments;
}

}  // namespace

int mostSegments() { return ((kFewestSegments - 1) << kMostHalvings) + 1; }

Fit fitOf(const Nec2::LoadedElement& element, double frequencyMhz) {
  const double segmentM = Nec2::shortestSegmentM(element);
  const double radiusM = element.diameterM / 2.0;
  const double segmentToRadius = segmentM / radiusM;
  const double segmentWavelengths = segmentM / wavelengthM(frequencyMhz);
  return {segmentWavelengths,
          segmentToRadius,
          segmentToRadius < ModelRange::kNormalKernelAccurateSegmentToRadius,
          segmentToRadius < ModelRange::kAccurateSegmentToRadius,
          segmentWavelengths < ModelRange::kShortestSegmentWavelengths,
          segmentWavelengths < ModelRange::kAdvisedShortestSegmentWavelengths};
}

std::vector<int> seriesCounts(Nec2::LoadedElement element, double frequencyMhz) {
  auto accurate = [&](int segments) {
    const Fit fit = fitOf(withSegments(element, segments), frequencyMhz);
    return !fit.beyondAccuracy && !fit.beyondShortest;
  };
  int segments = coarsestCount(element, frequencyMhz);
  if (!withinLongest(withSegments(element, segments), frequencyMhz)) return {};
  if (!accurate(segments)) {
    if (segments != kFewestSegments || !accurate(kFewestSegmentsForThickWire)) return {};
    segments = kFewestSegmentsForThickWire;
  }
  std::vector<int> counts{segments};
  for (int halvings = 0; halvings < kMostHalvings; ++halvings) {
    segments = 2 * segments - 1;
    if (!accurate(segments)) break;
    counts.push_back(segments);
  }
  return counts;
}

bool elementTooShort(Nec2::LoadedElement element, double frequencyMhz) {
  const int segments = coarsestCount(element, frequencyMhz);
  return fitOf(withSegments(element, segments), frequencyMhz).beyondShortest;
}

}  // namespace Segmentation
