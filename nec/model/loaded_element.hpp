// A straight vertical element of round wire, perhaps with a loading coil,
// as NEC2 models it: a monopole over perfect ground fed at its base, or the
// element as one half of a centre-fed dipole in free space with a coil in
// each half. The coil is lumped on a segment of its own centred on its
// height, between straight wires cut into segments of about the same
// length, so that it moves with its height and not with the segment count;
// its loss is a series resistance R = omega L / Q; the wire's metal is its
// conductivity.
#pragma once

#include <limits>

#include "nec/model/structure.hpp"

namespace Nec2 {

// The wire's metal. Copper: 5.8E7 S/m (the annealed copper standard).
// Aluminium: 3.5E7 S/m, electrical-grade aluminium (about 61 % of copper);
// alloy tubing conducts less (6063 about 3.0E7, 6061 about 2.5E7 S/m).
// Perfect: no loss.
enum class Conductor { perfect, copper, aluminium };
std::optional<double> conductivitySPerM(Conductor conductor);

struct LoadingCoil {
  double heightM;  // of its centre above the feed point: 0 at the base
  double inductanceH;
  // Its Q at qFrequencyMhz, where R = omega L / Q is taken: R stays that
  // over a sweep, as a coil's loss changes little across a band. Infinite:
  // a lossless coil.
  double q = std::numeric_limits<double>::infinity();
  double qFrequencyMhz = 0.0;
  double lossResistanceOhm() const;
};

struct LoadedElement {
  enum class Form {
    monopoleOverPerfectGround,  // GE 1, GN 1, the source on the first segment
    centreFedDipole,            // two elements, end to end, the source between them
  };
  Form form = Form::monopoleOverPerfectGround;
  double lengthM;    // of the monopole, or of each half of the dipole
  double diameterM;  // of the wire
  int segments;      // of the monopole, or of each half of the dipole
  std::optional<LoadingCoil> coil = std::nullopt;
  Conductor conductor = Conductor::copper;
  // A resistance in series at the monopole's feed point (LD 4 on the source
  // segment), for the loss in a real ground: counted in the power budget.
  double groundLossOhm = 0.0;
  Sweep sweep = {};
};

// The structure to solve. Throws std::invalid_argument for a dipole with a
// ground loss, or fewer than one segment.
Structure structureOf(const LoadedElement& element);

// The nominal length of the segments: the element's length over its
// segments. Each wire's own segments are within half a segment of it
// (a short wire at either end of the coil down to half of it).
double segmentLengthM(const LoadedElement& element);

// The shortest segment of the structure: what the segments' length against
// the wire's radius is judged by.
double shortestSegmentM(const LoadedElement& element);

// The height of the coil's centre above the feed point as placed: its own
// height, except where it is within a segment or so of either end, where
// it is moved just far enough that the feed segment (below it) and the
// wire above it keep at least half a segment each.
double placedCoilHeightM(const LoadedElement& element);

}  // namespace Nec2
