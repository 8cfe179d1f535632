// How finely NEC2 models the coil as wound, and where that model holds. A
// whole number of segments per turn lines the turns up; 40 a turn is the
// count at which the straight wire, graded down to one helix segment where
// it meets the helix, gave a settled answer, and a finer count shows how
// settled it is. Adjacent turns are parallel wires: the thin-wire model
// wants them several radii apart, centre to centre, and the segments at
// every bend of the helix no shorter than the normal kernel allows.
#pragma once

#include <chrono>

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
// NEC2's helix holds: neither of the two above.
bool holds(const Helix& helix);

}  // namespace HelixLimits

namespace HelixLimits {

// The helix's size, in its segments at kSegmentsPerTurn (the finer count's
// runs have half as many again). nec2c's storage grows as the square of all
// its segments (16 bytes each pair), its time as the cube, and worse once
// the matrix no longer fits the processor's cache: single runs on a 2-core
// machine took about 1.2 s at 1,100 segments in all, 5-6 s at 1,600,
// 12 s at 2,100 (the cube puts 3,100 near 40 s). By default the check runs a helix of
// up to kDefaultMostSegments, which such a machine solves, every run of
// the check together, in well under a minute; --helix may force one of up
// to kMostSegments, whose finer runs need some 0.6 GB and several minutes
// each.
inline constexpr int kDefaultMostSegments = 1200;
inline constexpr int kMostSegments = 4000;

// The helix segments a coil of these turns needs at the count per turn.
int segmentsFor(double turns, int segmentsPerTurn = kSegmentsPerTurn);

enum class Size { withinDefault, beyondDefault, beyondLimit };
Size sizeOf(double turns);

// The memory nec2c's matrix takes for a structure of that many segments.
double matrixGigabytes(int segments);

// The largest helix (its segments at kSegmentsPerTurn) whose finer runs
// nec2c solves in that many bytes, its matrix with what else it holds;
// never beyond kMostSegments. A host with less memory than a computer's
// (the page's) hands it to the check as its cap.
int mostSegmentsWithin(double bytes);

// The turns as wound against menu 2's for the lumped coil: on six designs
// the helix at 60 segments a turn resonated with 6 % fewer to 77 % more,
// more where the coil is short and fat or at the base, fewer near its
// self-resonance; no rule or cheap run tried gave them to within 30 %.
inline constexpr int kMostExtraTurnsSeenPercent = 77;

// The time limit for one nec2c run of a structure of that many segments:
// a generous multiple of what it takes on a slow machine.
std::chrono::milliseconds timeLimitFor(int segments);

}  // namespace HelixLimits
