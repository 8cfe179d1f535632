// What nec2c's report says of each frequency: the impedance at the feed
// segment (the ANTENNA INPUT PARAMETERS block) and the POWER BUDGET.
//
// The report is checked, not trusted: nec2c ends with status 0 after
// skipping a card it cannot read as one (a line that starts with a blank,
// say), and then leaves out the blocks that card would have made. So the
// report must hold one input block with the one feed row and one budget
// for every frequency of the sweep, at that frequency and on the feed's
// wire; otherwise the reader throws SolverFailed (incompleteReport) with
// the report's last lines.
#pragma once

#include <complex>
#include <string>
#include <vector>

#include "nec/model/structure.hpp"

namespace Nec2 {

// The powers in watts for the 1 V source: radiated = input - structure
// loss (wires and loads) - network loss.
struct PowerBudget {
  double inputW = 0.0;
  double radiatedW = 0.0;
  double structureLossW = 0.0;
  double networkLossW = 0.0;
  // The part of the input that is radiated, from the input and the losses
  // (more digits than the report's percentage).
  double efficiency() const;
};

struct Solution {
  double frequencyMhz;  // from the sweep: the report prints five digits
  std::complex<double> feedImpedanceOhm;
  PowerBudget power;
};

// The solutions in the order of the sweep.
std::vector<Solution> readReport(const std::string& report, const Sweep& sweep,
                                 const Segment& feed);

}  // namespace Nec2
