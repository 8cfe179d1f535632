#include "nec/segmentation.hpp"

namespace Segmentation {

int segmentsAfterHalvings(int halvings) { return (20 << halvings) + 1; }

int coarsestSegments(double elementLengthM, double frequencyMhz) {
  const double longestSegmentM = kLongestSegmentWavelengths * kLightSpeed / frequencyMhz;
  constexpr int kMostHalvings = 16;
  int halvings = 0;
  while (halvings < kMostHalvings &&
         elementLengthM / segmentsAfterHalvings(halvings) > longestSegmentM) {
    ++halvings;
  }
  return segmentsAfterHalvings(halvings);
}

Fit fitOf(int segments, double elementLengthM, double elementDiameterMm, double frequencyMhz) {
  const double segmentM = elementLengthM / segments;
  const double radiusM = elementDiameterMm / 2000.0;
  const double wavelengthM = kLightSpeed / frequencyMhz;
  const double segmentToRadius = segmentM / radiusM;
  return {segmentM / wavelengthM, segmentToRadius, segmentToRadius < kNormalKernelSegmentToRadius,
          segmentToRadius < kExtendedKernelSegmentToRadius,
          segmentM / wavelengthM < kAdvisedShortestSegmentWavelengths};
}

bool wireTooThick(double elementLengthM, double elementDiameterMm, double frequencyMhz) {
  const int segments = coarsestSegments(elementLengthM, frequencyMhz);
  return fitOf(segments, elementLengthM, elementDiameterMm, frequencyMhz).beyondKernels;
}

}  // namespace Segmentation
