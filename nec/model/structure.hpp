// A wire structure as NEC2 models it, and what it is asked for: straight
// wires of thin-wire segments and helices, over perfect ground or in free
// space, with
// lumped loads on single segments and the wires' conductivity, a 1 V source
// on one segment, and the frequencies at which nec2c solves it. Lengths in
// metres, frequencies in MHz, impedances in ohms, inductances in henries.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Nec2 {

// A wire wound as a helix on a vertical axis (GH, then placed by GM): its
// wire's ends (x1, y1, z1) and (x2, y2, z2) are then the axis's ends, one
// above the other, and the winding starts on the coil's radius at the
// given angle from the x axis, turning anticlockwise seen from above.
struct Winding {
  double pitchM;
  double coilRadiusM;  // to the wire's centre
  double startDeg = 0.0;
};

struct Wire {
  int segments;
  double x1, y1, z1;
  double x2, y2, z2;
  double radiusM;
  // Each segment's length over the one before it, counted from end 1 (GC):
  // 1 for equal segments.
  double lengthRatio = 1.0;
  std::optional<Winding> winding = std::nullopt;
};

// Wires and segments are counted from 1: a wire by its place in the list,
// a segment within its wire.
struct Segment {
  int wire = 1;
  int segment = 1;
};

// A fixed impedance R + jX on one segment (LD 4): the same at every
// frequency. A coil's reactance at one frequency, or a resistance in series.
struct Load {
  int wire;
  int segment;
  double reactanceOhm;
  double resistanceOhm = 0.0;
};

// A resistance and an inductance in series on one segment (LD 0): a coil,
// whose reactance NEC2 takes at each frequency, with its loss.
struct SeriesLoad {
  int wire;
  int segment;
  double resistanceOhm;
  double inductanceH;
};

// Free space, or a perfectly conducting ground in the plane z = 0 (GE 1 and
// GN 1): a wire that ends at z = 0 is joined to its image there.
enum class Ground { freeSpace, perfect };

// count frequencies from the first, step apart (FR, linear steps).
struct Sweep {
  double firstMhz = 0.0;
  double stepMhz = 0.0;
  int count = 1;
  // The i-th frequency, counted from 0, as nec2c steps to it (adding the
  // step once for each).
  double frequencyMhz(int i) const;
};

struct Structure {
  // One comment card for each line (long lines are wrapped).
  std::string comment;
  std::vector<Wire> wires;
  Ground ground = Ground::freeSpace;
  // The extended thin-wire kernel (EK), good down to segments about twice
  // as long as the wire's radius.
  bool extendedKernel = true;
  std::vector<SeriesLoad> seriesLoads;
  std::vector<Load> loads;
  // The metal of every wire (LD 5), in S/m; none: perfectly conducting.
  std::optional<double> conductivitySPerM;
  Segment feed;
  Sweep sweep;
};

// NEC2's speed of light, in metres per microsecond: λ = c ÷ f with f in MHz.
inline constexpr double kLightSpeed = 299.792458;

// Free-space wavelength in metres at f MHz.
double wavelengthM(double frequencyMhz);

}  // namespace Nec2
