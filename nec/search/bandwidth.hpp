// What a frequency sweep of the feed impedance says about the bandwidth:
// the SWR against a reference resistance, where it reaches 2:1 either side
// of resonance, the Q that the impedance's slope gives, the bandwidth that Q
// predicts, and Chu's lower limit on the Q.
#pragma once

#include <optional>
#include <span>

namespace Bandwidth {

// The feed line the SWR is taken against, in ohms.
inline constexpr double kCableOhm = 50.0;

struct Point {
  double frequencyMhz;
  double resistanceOhm;
  double reactanceOhm;
};

// (1 + |Γ|) ÷ (1 − |Γ|) with Γ = (Z − R₀) ÷ (Z + R₀); infinite for |Γ| = 1.
double swr(double resistanceOhm, double reactanceOhm, double referenceOhm);

// The impedance at a frequency within the sweep, linear between its points.
Point at(std::span<const Point> sweep, double frequencyMhz);

// Where the reactance first turns from negative to positive, interpolated
// between the two points either side; empty where it does not in the sweep.
std::optional<double> resonanceMhz(std::span<const Point> sweep);

struct Edges {
  double lowerMhz;
  double upperMhz;
  double widthKhz() const { return (upperMhz - lowerMhz) * 1000.0; }
};

// The frequencies either side of the resonance f₀ where the SWR against the
// reference first reaches the limit, interpolated; empty where the SWR at f₀
// is at the limit already, or the sweep ends before either edge.
std::optional<Edges> swrEdges(std::span<const Point> sweep, double resonanceMhz,
                              double referenceOhm, double swrLimit = 2.0);

// Q = (f₀ ÷ 2R₀) · |dZ/df| at f₀, the slope from the sweep's points either
// side of it.
double slopeQ(std::span<const Point> sweep, double resonanceMhz);

// The fractional bandwidth that a Q predicts between the points of the given
// SWR, for a matched antenna: (s − 1) ÷ (Q √s).
double predictedFractionalBandwidth(double q, double swrLimit = 2.0);

// Chu's limit for the sphere of radius a that encloses the antenna (for a
// monopole over ground, the element and its image: a is its length):
// Q = 1 ÷ (ka)³ + 1 ÷ (ka).
double chuLimitQ(double frequencyMhz, double sphereRadiusM);

}  // namespace Bandwidth
