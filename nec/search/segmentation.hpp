// How finely NEC2's thin-wire model may cut the element into segments: the
// limits of segment length against the wavelength and against the wire's
// radius, and the series of segment counts that halve the segments in turn
// (21, 41, 81, ...: always odd, so that a segment sits at the middle)
// while every segment stays within them.
#pragma once

#include <vector>

#include "nec/model/loaded_element.hpp"

namespace Segmentation {

// The coarsest model: 20 segments and the one that makes the count odd;
// where that would already cut the wire too short against its radius, 10
// and one. Fewer segments than that do not model the current along the
// element, nor the coil's place on it.
inline constexpr int kFewestSegments = 21;
inline constexpr int kFewestSegmentsForThickWire = 11;
// At most this many halvings past the coarsest count: 641 segments from 21.
inline constexpr int kMostHalvings = 5;
// The most segments the series reaches: 641.
int mostSegments();

// How the segmentation of an element fits the limits, judged by its
// shortest segment.
struct Fit {
  double segmentWavelengths;  // the shortest segment ÷ λ
  double segmentToRadius;     // the shortest segment ÷ a
  bool needsExtendedKernel;   // Δ ÷ a below the normal kernel's accurate limit
  bool beyondAccuracy;        // Δ ÷ a below the extended kernel's accurate limit
  bool beyondShortest;        // Δ under the shortest segment nec2c is trusted with
  bool belowAdvisedLength;    // Δ under 10⁻³ λ
};
Fit fitOf(const Nec2::LoadedElement& element, double frequencyMhz);

// The counts the series runs through for the element (its coil placed, the
// inductance aside): from the coarsest whose segments are within 0.05 λ,
// 21 at the least, or 11 where 21 would already break the accurate limit
// of segment length against radius; halving while every segment of the
// next count stays within that and above the shortest segment trusted,
// kMostHalvings times at most. Empty where not even the coarsest count
// keeps within them: NEC2's thin wire cannot model the element (too thick,
// or too short against the wavelength, which elementTooShort tells).
std::vector<int> seriesCounts(Nec2::LoadedElement element, double frequencyMhz);

// The coarsest count's segments are shorter than the shortest trusted.
bool elementTooShort(Nec2::LoadedElement element, double frequencyMhz);

}  // namespace Segmentation
