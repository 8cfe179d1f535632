#include "nec/helix_limits.hpp"

#include "nec/helix_element.hpp"
#include "nec/segmentation.hpp"

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
  return segment < Segmentation::kNormalKernelSegmentToRadius * helix.wireMm / 2.0 ||
         segment < Segmentation::kExtendedKernelSegmentToRadius * helix.elementDiameterMm / 2.0;
}

}  // namespace HelixLimits
