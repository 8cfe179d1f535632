// The coil that resonates the element, from the solver's feed impedances.
// The feed impedance of a linear structure is a bilinear function of one
// load's impedance, Z(Z_L) = (a Z_L + b) ÷ (c Z_L + 1): three solutions at
// different loads fix it, and the coil's resonances follow in closed form.
// The reactance is not monotonic in the coil's inductance: a coil near the
// tip of a short element passes a parallel resonance, where the reactance
// jumps from +∞ to −∞; the first resonance is the least inductance at which
// the reactance turns from negative to positive.
#pragma once

#include <array>
#include <complex>
#include <optional>

namespace Resonance {

using Complex = std::complex<double>;

struct Bilinear {
  Complex a;
  Complex b;
  Complex c;
  Complex operator()(Complex loadOhm) const { return (a * loadOhm + b) / (c * loadOhm + 1.0); }
  // The load that gives the feed impedance: Z_L = (b − Z) ÷ (c Z − a).
  Complex loadFor(Complex feedOhm) const { return (b - feedOhm) / (c * feedOhm - a); }
};

// A load's impedance and the feed impedance the solver found with it.
struct Sample {
  Complex loadOhm;
  Complex feedOhm;
};

// The bilinear function through three samples; empty when they do not fix
// one (two loads alike, or samples of no such function).
std::optional<Bilinear> fitBilinear(const std::array<Sample, 3>& samples);

// The coil as a load at the frequency: Z_L = ωL ÷ Q + jωL, lossless without
// a Q.
struct Coil {
  double frequencyMhz;
  std::optional<double> q;
  Complex impedanceOhm(double inductanceH) const;
};

// The feed impedance with the coil of the given inductance.
Complex feedImpedanceOhm(const Bilinear& feed, const Coil& coil, double inductanceH);

struct Resonances {
  enum class Outcome {
    coilResonates,
    needsNoCoil,      // the reactance without a coil is 0 or more already
    noCoilResonates,  // it stays negative for every inductance
  };
  Outcome outcome;
  std::optional<double> seriesH;    // the first resonance
  std::optional<double> parallelH;  // the parallel resonance beside it
};

// The element's first resonance with the coil, and the parallel resonance
// that follows it where there is one.
Resonances firstResonance(const Bilinear& feed, const Coil& coil);

}  // namespace Resonance
