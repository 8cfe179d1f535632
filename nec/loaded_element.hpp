// A straight vertical element of round wire, perhaps with a loading coil,
// as NEC2 models it: a monopole over perfect ground fed at its base, or the
// element as one half of a centre-fed dipole in free space with a coil in
// each half. The coil is lumped on the segment whose centre is nearest its
// height, with its loss as a series resistance R = omega L / Q; the wire's
// metal is its conductivity.
#pragma once

#include <limits>

#include "nec/structure.hpp"

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

// The length of the segments, those of the dipole a little shorter (it
// has an odd number of them, 2 segments + 1, so that the source sits on
// the middle one).
double segmentLengthM(const LoadedElement& element);

// The coil's segment, counted from the element's feed end (1 is the
// source's segment), and the height of its centre above the feed point.
int coilSegment(const LoadedElement& element);
double placedCoilHeightM(const LoadedElement& element);

}  // namespace Nec2
