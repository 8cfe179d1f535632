// What an analyser's sweep of a built antenna says: where its reactance
// goes through zero (its resonances), its lowest SWR on a 50 ohm feed line
// and where that SWR reaches 2 either side. The points are taken as
// measured, so a reactance that jitters about zero is read as one crossing.
#pragma once

#include <optional>
#include <vector>

#include "nec/measured/touchstone.hpp"

namespace MeasuredFigures {

// Crossings of the reactance each within this many points of the one
// before are one crossing jittering about zero, however often its sign
// changes.
inline constexpr int kNoisePoints = 5;

// The SWR whose band the figures give.
inline constexpr double kSwrLimit = 2.0;

struct Resonance {
  double mhz;
  double resistanceOhm;
  bool rising;  // the reactance from negative to positive with frequency: a series resonance
};

struct Figures {
  std::vector<Resonance> resonances;  // ascending
  std::optional<double> minimumSwr;   // on Bandwidth::kCableOhm, over the points
  std::optional<double> minimumSwrMhz;
  // Where the SWR reaches 2 below and above the minimum, interpolated;
  // empty where it does not within the file's range, or the minimum is 2 or
  // more.
  std::optional<double> swr2LowMhz;
  std::optional<double> swr2HighMhz;
  int points;
  double firstMhz;
  double lastMhz;
};

Figures of(const Touchstone::OnePort& measured);

// The resonance nearest a frequency, of the rising ones where any exists
// (the one a loading coil tunes); empty where there is none.
std::optional<Resonance> nearest(const Figures& figures, double mhz);

}  // namespace MeasuredFigures
