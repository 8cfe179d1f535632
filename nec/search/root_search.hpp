// Where a function that costs a solver run turns from negative to positive:
// stepped out from two guesses until the sign changes, then narrowed inside
// that bracket by false position with the Illinois step (the end kept twice
// has its value halved), bisecting where a step would leave the bracket's
// middle. The bracket always has the negative value below and the positive
// one above, so for a reactance, which rises through a resonance and jumps
// from + to − through a pole, it closes on a resonance, never on a pole.
#pragma once

#include <functional>
#include <optional>

namespace RootSearch {

struct Point {
  double x;
  double value;
};

struct Limits {
  double lowest;  // of x
  double highest;
  double quantum = 0.0;      // x is a whole multiple of it (0: any x)
  double narrowest = 0.0;    // the bracket is narrowed no further than this
  double closeEnough = 0.0;  // a value this near 0 ends the search
  int mostRuns = 12;         // evaluations, the first point's included
};

struct Crossing {
  Point below;  // value < 0
  Point above;  // value >= 0
  Point best;   // the evaluated point nearest 0
  // Linear between the bracket's ends.
  double rootX() const;
  int runs;
};

// From the first point, already evaluated, and a guess at the root; empty
// where the sign does not change within the limits or the runs.
std::optional<Crossing> findCrossing(const std::function<double(double)>& value, Point first,
                                     double guess, const Limits& limits);

}  // namespace RootSearch
