// How finely NEC2 models the coil as wound, and where that model holds. A
// whole number of segments per turn lines the turns up; 40 a turn is the
// count at which the straight wire, graded down to one helix segment where
// it meets the helix, gave a settled answer, and a finer count shows how
// settled it is. Adjacent turns are parallel wires: the thin-wire model
// wants them several radii apart, centre to centre, and the segments at
// every bend of the helix no shorter than the normal kernel allows.
#pragma once

namespace HelixLimits {

inline constexpr int kSegmentsPerTurn = 40;
inline constexpr int kFinerSegmentsPerTurn = 60;
// The turns are apart by at least this many wire radii, centre to centre.
inline constexpr double kLeastPitchInWireRadii = 4.0;

// Menu 2's measures in millimetres, and the element's diameter.
struct Helix {
  double coilRadiusMm;
  double pitchMm;
  double wireMm;
  double elementDiameterMm;
};

double closestPitchMm(const Helix& helix);
bool turnsTooClose(const Helix& helix);
// A segment of the finer count per turn, in millimetres.
double finerSegmentMm(const Helix& helix);
// Shorter than the normal kernel allows against the helix wire's radius,
// or than the extended kernel allows against the element's radius (the
// straight segments that meet the helix are as long as its own).
bool segmentsTooShort(const Helix& helix);

}  // namespace HelixLimits
