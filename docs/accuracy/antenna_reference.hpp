// Reference values for the antenna models, from NEC2 (nec/host/posix/solver.hpp).
//
// Every antenna is a vertical monopole over perfectly conducting ground,
// modelled as what image theory makes of it: a centre-fed dipole of twice
// the length in free space, whose feed-point impedance is halved. The dipole
// has an odd number of segments of about one wavelength / segmentsPerWave
// each, so that the feed segment sits at its centre; loads and top hats are
// placed symmetrically on both halves. Coils are lossless lumped reactances
// on one segment, wires are perfect conductors.
//
// Lengths in metres, frequency in MHz, impedances in ohms.
#pragma once

#include <complex>

#include "nec/host/posix/solver.hpp"

namespace AntennaReference {

// The nominal segment length is one wavelength / kSegmentsPerWave; the
// convergence check halves and doubles it.
constexpr int kSegmentsPerWave = 100;

struct Monopole {
  double lengthM;
  double diameterM;
  double frequencyMhz;
  int segmentsPerWave = kSegmentsPerWave;
};

// The dipole that stands for the monopole, without loads.
Nec2::Structure dipoleOf(const Monopole& monopole);

// Segments of the dipole that stands for the monopole (odd, at least 11).
int dipoleSegments(const Monopole& monopole);

// Segment length over wire radius, which the thin-wire kernel needs above 2.
double segmentToRadius(const Monopole& monopole);

// Feed-point impedance of the plain monopole.
std::complex<double> feedImpedance(const Monopole& monopole);

// A coil part-way up the monopole that makes its feed-point reactance zero.
// The coil sits on the segment whose centre is nearest the wanted height,
// so its height is a whole number of segments above the feed point.
struct CentreCoil {
  int segmentsAboveFeed;
  double heightM;        // above the feed point, as placed
  double reactanceOhm;   // the coil's reactance at resonance
  double resistanceOhm;  // the feed-point resistance at resonance
};
CentreCoil resonatingCoil(const Monopole& monopole, double wantedHeightM);
Nec2::Structure coilLoadedDipole(const Monopole& monopole, int coilSegmentsAboveFeed,
                                 double reactanceOhm);

// A top hat of four horizontal spokes of the monopole's wire at its top,
// long enough to make the feed-point reactance zero.
struct TopHat {
  int spokeSegments;
  double spokeLengthM;
  double resistanceOhm;  // the feed-point resistance at resonance
};
TopHat resonatingTopHat(const Monopole& monopole);
Nec2::Structure topHatDipole(const Monopole& monopole, double spokeLengthM, int spokeSegments);

// The length at which the plain monopole resonates (feed-point reactance
// zero, the first resonance), with its feed-point resistance there. The
// segment count stays that of a quarter-wave monopole during the search.
struct Resonance {
  double lengthM;
  double resistanceOhm;
};
Resonance firstResonance(double diameterM, double frequencyMhz,
                         int segmentsPerWave = kSegmentsPerWave);

}  // namespace AntennaReference
