// How finely NEC2's thin-wire model may cut the element into segments: the
// limits of segment length against the wavelength and against the wire's
// radius, and the series of segment counts that halve the segments in turn
// (21, 41, 81, ...: always odd, so that a segment sits at the middle).
#pragma once

namespace Segmentation {

// The speed of light, in metres per microsecond: λ = c ÷ f with f in MHz.
inline constexpr double kLightSpeed = 299.792458;

// The coarsest model: 20 segments and the one that makes the count odd.
inline constexpr int kFewestSegments = 21;
// Longest segment, in wavelengths, where the current changes fast (at the
// feed and at the coil): the element is short, so that is all of it.
inline constexpr double kLongestSegmentWavelengths = 0.05;
// The guide advises against segments shorter than this, in wavelengths:
// below it the current basis's terms become almost the same function.
inline constexpr double kAdvisedShortestSegmentWavelengths = 1e-3;
// Segment length over wire radius: the normal kernel is credible down to 2,
// the extended kernel down to 0.5; below that no kernel is.
inline constexpr double kNormalKernelSegmentToRadius = 2.0;
inline constexpr double kExtendedKernelSegmentToRadius = 0.5;

// The segment count after the given number of halvings: 20 × 2^h + 1.
int segmentsAfterHalvings(int halvings);

// The first count of the series whose segments are within the longest
// segment the model allows.
int coarsestSegments(double elementLengthM, double frequencyMhz);

// How a segmentation fits the limits.
struct Fit {
  double segmentWavelengths;  // Δ ÷ λ
  double segmentToRadius;     // Δ ÷ a
  bool needsExtendedKernel;   // Δ ÷ a below the normal kernel's limit
  bool beyondKernels;         // Δ ÷ a below the extended kernel's limit
  bool belowAdvisedLength;    // Δ under 10⁻³ λ
};
Fit fitOf(int segments, double elementLengthM, double elementDiameterMm, double frequencyMhz);

// A wire so thick that even the coarsest segmentation allowed has segments
// shorter than the extended kernel's limit: no segmentation models it.
bool wireTooThick(double elementLengthM, double elementDiameterMm, double frequencyMhz);

}  // namespace Segmentation
