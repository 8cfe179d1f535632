#include "nec/search/helix_limits.hpp"

#include <algorithm>
#include <cmath>

#include "nec/design/model_range.hpp"
#include "nec/model/helix_element.hpp"

namespace HelixLimits {

double closestPitchMm(const Helix& helix) { return kLeastPitchInWireRadii * helix.wireMm / 2.0; }

bool turnsTooClose(const Helix& helix) { return helix.pitchMm < closestPitchMm(helix); }

double finerSegmentMm(const Helix& helix) {
  const Nec2::HelixCoil oneTurn{helix.coilRadiusMm / 1000.0, helix.pitchMm / 1000.0,
                                helix.wireMm / 1000.0, kFinerSegmentsPerTurn,
                                kFinerSegmentsPerTurn};
  return oneTurn.segmentM() * 1000.0;
}

bool segmentsTooShort(const Helix& helix) {
  const double segment = finerSegmentMm(helix);
  return segment < ModelRange::kNormalKernelSegmentToRadius * helix.wireMm / 2.0 ||
         segment < ModelRange::kExtendedKernelSegmentToRadius * helix.elementDiameterMm / 2.0;
}

bool holds(const Helix& helix) { return !turnsTooClose(helix) && !segmentsTooShort(helix); }

}  // namespace HelixLimits

namespace HelixLimits {
namespace {

constexpr double kBytesPerPair = 16.0;  // a complex double
// nec2c holds more than the matrix: its other arrays grow with the
// segments, and its heap grows in steps of a fifth; the straight segments
// of the element come beside the helix's.
constexpr double kBytesBesideTheMatrix = 0.25;
constexpr int kStraightSegments = 200;
// One run's time grows as the cube of its segments: a run of this many is
// allowed this long, larger ones in proportion to the cube.
constexpr double kTimedSegments = 1000.0;
constexpr double kTimedSeconds = 10.0;

}  // namespace

int segmentsFor(double turns, int segmentsPerTurn) {
  return static_cast<int>(std::ceil(turns * segmentsPerTurn));
}

Size sizeOf(double turns) {
  const int segments = segmentsFor(turns);
  if (segments > kMostSegments) return Size::beyondLimit;
  return segments > kDefaultMostSegments ? Size::beyondDefault : Size::withinDefault;
}

double matrixGigabytes(int segments) {
  const double n = segments;
  return n * n * kBytesPerPair / 1e9;
}

int mostSegmentsWithin(double bytes) {
  const double finerSegments =
      std::sqrt(bytes / (kBytesPerPair * (1.0 + kBytesBesideTheMatrix))) - kStraightSegments;
  const double segments =
      finerSegments * static_cast<double>(kSegmentsPerTurn) / kFinerSegmentsPerTurn;
  return static_cast<int>(std::clamp(std::floor(segments), 0.0, double{kMostSegments}));
}

std::chrono::milliseconds timeLimitFor(int segments) {
  const double share = std::max(1.0, segments / kTimedSegments);
  const double seconds = kTimedSeconds * share * share * share;
  return std::chrono::milliseconds{static_cast<long long>(seconds * 1000.0)};
}

}  // namespace HelixLimits
