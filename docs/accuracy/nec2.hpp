// Runs the method-of-moments solver NEC2 (the nec2c program) on a wire
// structure in free space and reads the impedance at its feed point.
//
// The structure is written as a NEC2 input deck: GW cards for straight wires,
// GE for the end of the geometry, EK for the extended thin-wire kernel (good
// down to a segment length of about twice the wire radius), LD type 4 cards
// for lumped reactances on single segments, an EX type 0 card for a 1 V
// delta-gap source on the feed segment, FR for the frequency, XQ to run.
// Lengths in metres, frequency in MHz, impedances in ohms.
#pragma once

#include <complex>
#include <string>
#include <vector>

namespace Nec2 {

struct Wire {
  int segments;
  double x1, y1, z1;
  double x2, y2, z2;
  double radiusM;
};

// A reactance on one segment: a coil when positive.
struct Load {
  int wire;  // 1-based, in the order of the wires
  int segment;
  double reactanceOhm;
};

struct Structure {
  std::string comment;
  std::vector<Wire> wires;
  std::vector<Load> loads;
  int feedWire = 1;
  int feedSegment = 1;
  double frequencyMhz = 0.0;
};

// The deck for the structure, one card a line.
std::string deck(const Structure& structure);

// Runs nec2c on the deck and returns the impedance at the feed segment.
// Throws std::runtime_error when nec2c is missing or reports no impedance.
std::complex<double> feedImpedance(const Structure& structure);

// The number of nec2c runs made so far by this process.
long runCount();

// Free-space wavelength in metres at f MHz (NEC2's speed of light).
double wavelengthM(double frequencyMhz);

}  // namespace Nec2
