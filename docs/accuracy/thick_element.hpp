// Thick elements in NEC2: a tube modelled as one thin wire of the tube's
// radius, against a cage of eight thin wires on the tube's circle.
//
// Each element is a monopole over perfect ground, lossless (perfect
// conductors, a lossless lumped coil), solved with the extended kernel and
// fed at its base. The quantity compared is the coil that makes the
// feed-point reactance zero at the design frequency.
//
// The single wire, as tanshuku-nec builds it: collinear wires below the
// coil, the coil's own segment (one nominal segment long, centred on the
// coil's height) and above it, all cut into segments of about element
// length / N. A base coil sits on the feed segment. A count N is only used while every segment is
// at least kSmallestSegmentToRadius radii long: below that, the thin-wire kernel is no longer right
// to 1 %, and halving the segments stops being a convergence test.
//
// The cage: eight wires of radius R / 8 whose centres lie on the tube's
// circle of radius R; the equivalent radius of such a cage,
// R (8 r / R)^(1/8), is then R itself. A short wire on the axis from the
// ground carries the source and joins the cage's bottom ends through eight
// radial spokes (a hub); a coil part-way up is a single segment on the axis
// between two more hubs, with the cage broken there. Spokes, axial wires and
// the cage segments that touch a hub are all R long, so that touching
// segments are alike; away from the hubs the cage's segments grow
// geometrically to the nominal length element length / N. The hubs, and so
// the feed's and the coil's gaps, stay the same at every N; a run with
// spokes of two segments (all of them R / 2 long) shows how much the answer
// owes to them.
//
// Lengths in metres, frequencies in MHz, inductances in microhenries.
#pragma once

#include <complex>
#include <optional>
#include <vector>

#include "nec/design/model_range.hpp"
#include "nec/model/structure.hpp"
#include "nec/search/segment_series.hpp"

namespace ThickElement {

struct Design {
  const char* name;
  double frequencyMhz;
  double lengthM;
  double diameterM;
  // Height of the coil's centre above the ground; 0 for a base coil.
  double coilHeightM;
};

// The single wire's counts, finest last, and the shortest segment allowed,
// in wire radii.
constexpr int kSingleWireCounts[] = {21, 41, 81, 161, 321, 641};
constexpr double kSmallestSegmentToRadius = ModelRange::kAccurateSegmentToRadius;

// The cage's wires on the tube's circle.
constexpr int kCageWires = 8;

// A structure with the segment that holds the coil (without its load yet).
struct LoadableElement {
  Nec2::Structure structure;
  Nec2::Segment coil;
};

LoadableElement singleWire(const Design& design, int segments);
// The cage's spokes are cut into segmentsPerSpoke segments; the axial wires
// and the cage segments at a hub are as long as one of them.
LoadableElement cage(const Design& design, int segments, int segmentsPerSpoke);

// The shortest segment of the structure over its wire's radius (straight,
// evenly cut wires).
double shortestSegmentToRadius(const Nec2::Structure& structure);

// The lossless coil that makes the feed-point reactance zero. The feed-point
// impedance of a linear network is a bilinear function of one load's
// impedance, Z(ZL) = (a + b ZL) / (1 + c ZL); it is fitted through three
// runs, its first zero of reactance above 0 taken, and the fit repeated with
// a run at that coil until the coil moves by less than a ten-thousandth of a
// microhenry.
struct ResonatingCoil {
  double inductanceUh;
  std::complex<double> feedImpedanceOhm;      // a run with that coil
  std::complex<double> bareFeedImpedanceOhm;  // the first run, without a coil
  int runs;
};
ResonatingCoil resonatingCoil(const LoadableElement& element, double frequencyMhz);

// A design computed both ways.
struct Comparison {
  Design design;
  std::vector<int> singleCounts = {};  // those that keep every segment long enough
  std::vector<double> singleUh = {};
  double finestSegmentToRadius = 0.0;
  // Where tanshuku-nec puts the coil from the single wire's series.
  SegmentSeries::Estimate singleRange = {};
  std::vector<int> cageCounts = {};
  std::vector<double> cageUh = {};
  double cageSegmentToRadius = 0.0;         // its shortest segment, finest count
  int cageSegments = 0;                     // segments of the finest cage
  std::complex<double> singleBareOhm = {};  // no coil, finest count
  std::complex<double> cageBareOhm = {};
  double cageHalfHubUh = 0.0;  // the cage at kHalfHubCageCount, spokes of two segments

  // The cage's coil (finest count) against the single wire's finest, in
  // percent, and in units of the single wire's last change between counts.
  double cageAgainstFinestPercent() const;
  double cageAgainstFinestInLastChanges() const;
  // Whether tanshuku-nec's range holds the cage's coil, and the cage's
  // with its hubs cut finer.
  bool rangeHoldsTheCages() const;
};

// The cage is computed at these counts along the element.
constexpr int kCageCounts[] = {41, 81, 161};
constexpr int kHalfHubCageCount = 81;

Comparison compare(const Design& design);

}  // namespace ThickElement
