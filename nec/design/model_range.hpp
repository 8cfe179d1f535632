// What tanshuku-nec models, in one place: the frequencies, the element's
// length against the wavelength and the segments NEC2's thin wire cuts it
// into. A design outside is refused before anything runs; inside, every
// count of the segment series keeps within the segment limits.
#pragma once

namespace ModelRange {

// From the 136 kHz band to VHF: the loaded elements menu 1 designs.
inline constexpr double kLowestFrequencyMhz = 0.1;
inline constexpr double kHighestFrequencyMhz = 300.0;

// The element is shortened, so no longer than a quarter wave (menu 1's own
// limit); its segments set how short it may be.

// Longest segment, in wavelengths: a hard limit of the model (the current
// changes fast at the feed and at the coil, and the element is short, so
// that is all of it).
inline constexpr double kLongestSegmentWavelengths = 0.05;
// Shortest segment, in wavelengths. NEC2's guide advises against segments
// under 10⁻³ λ, where the current basis's terms become almost the same
// function; nec2c stayed stable down to 5·10⁻⁵ λ (a helix against finer
// ones), so below that nothing it says is trusted. The coarsest count must
// keep it: an element of 21 segments is then at least about 10⁻³ λ long.
inline constexpr double kAdvisedShortestSegmentWavelengths = 1e-3;
inline constexpr double kShortestSegmentWavelengths = 5e-5;
// Segment length over wire radius. With the extended kernel (which every
// deck here uses) the self-field error stays within 1 % down to 2; with
// the normal kernel down to 8. Below those the solutions are merely stable,
// down to 0.5 with the extended kernel and 2 with the normal one.
inline constexpr double kAccurateSegmentToRadius = 2.0;
inline constexpr double kNormalKernelAccurateSegmentToRadius = 8.0;
inline constexpr double kExtendedKernelSegmentToRadius = 0.5;
inline constexpr double kNormalKernelSegmentToRadius = 2.0;

inline bool frequencyModelled(double frequencyMhz) {
  return frequencyMhz >= kLowestFrequencyMhz && frequencyMhz <= kHighestFrequencyMhz;
}

}  // namespace ModelRange
