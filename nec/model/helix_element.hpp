// A straight vertical element with its loading coil wound as a helix, as
// NEC2 models it: the monopole over perfect ground fed at its base, or the
// centre-fed dipole of two such halves. The whole element runs along the
// coil's radius (x = coil radius), so that the straight wires meet the
// helix's ends, which lie on the radius, not on the axis. The straight
// wires' segments are graded from the element's own length where they are
// far from the coil down to one helix segment where they meet it.
#pragma once

#include <vector>

#include "nec/model/loaded_element.hpp"
#include "nec/model/structure.hpp"

namespace Nec2 {

// Menu 2's measures of the coil and how finely NEC2 cuts it: a whole number
// of segments per turn, so that the turns line up, and segments in all.
struct HelixCoil {
  double coilRadiusM;  // to the wire's centre
  double pitchM;
  double wireDiameterM;
  int segmentsPerTurn;
  int segments;
  double turns() const;
  double lengthM() const;  // turns × pitch
  double segmentM() const;
};

struct HelixElement {
  // The element's form, length, wire, metal, ground loss and sweep; its
  // coil's height places the helix's centre (moved along the element as
  // far as the helix must to fit) and its segment length is the longest
  // segment of the straight wires. Its coil's inductance is not used.
  LoadedElement element;
  HelixCoil helix;
};

// The segments of a straight wire of the given length that meets a helix
// at one end: their count, and the ratio of each one's length to the next
// one's nearer the helix (1 for equal segments), the one at the helix
// about nearSegmentM long, none longer than farSegmentM, the ratio at most
// kLargestGrading.
inline constexpr double kLargestGrading = 1.1;
struct Grading {
  int segments;
  double ratio;
  double farSegmentM;  // the length of the segment at the far end
};
Grading gradedTowards(double lengthM, double nearSegmentM, double farSegmentM);

// Whether the helix fits in the element with a segment of straight wire at
// either end.
bool fits(const HelixElement& element);

// The structure to solve; the source is on the monopole's first segment or
// on the dipole's centre wire. Throws std::invalid_argument where the
// helix does not fit, or for a dipole with a ground loss.
Structure structureOf(const HelixElement& element);

// The structure with each helix cut into its straight segments, one wire
// each, for programs that know no helix; the feed's wire renumbered.
struct Straightened {
  std::vector<Wire> wires;
  int feedWire;
};
Straightened straightened(const Structure& structure);

}  // namespace Nec2
