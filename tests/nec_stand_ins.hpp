// Stand-ins for what nec2c gives tanshuku-nec's core, shared by its tests.
#pragma once

#include <string>
#include <vector>

#include "nec/search/bandwidth.hpp"

// A series RLC of the given resistance and Q resonant at 7.05 MHz.
inline std::vector<Bandwidth::Point> seriesCircuitSweep(double resistanceOhm, double q) {
  const double f0 = 7.05;
  std::vector<Bandwidth::Point> sweep;
  for (int i = 0; i <= 40; ++i) {
    const double f = f0 * (1.0 + (i - 20) * 0.0005);
    sweep.push_back({f, resistanceOhm, q * resistanceOhm * (f / f0 - f0 / f)});
  }
  return sweep;
}

// The worked design's options, and more.
inline std::vector<std::string> worked(std::vector<std::string> more = {}) {
  std::vector<std::string> words = {"--frequency", "7.05", "--length", "5",
                                    "--diameter",  "2",    "--tip",    "2.5"};
  words.insert(words.end(), more.begin(), more.end());
  return words;
}
