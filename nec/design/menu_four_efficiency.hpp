// Menu 4's efficiency figure for the same element, by menu 4's own formulas:
// L1 from the feed to the coil (length − tip; 0 for base loading), L2 from
// the coil to the tip. Menu 4 knows no losses: its figure compares the
// loaded element's current with a full-size quarter wave's, which makes it
// the radiation resistance's ratio rather than an efficiency.
#pragma once

#include <optional>
#include <string>

namespace MenuFourEfficiency {

// Decibels, as stored before menu 4 prints them.
double efficiencyDb(double elementLengthM, double frequencyMhz, std::optional<double> tipM);

// As menu 4's result line shows it (2 decimals), without the field's blanks.
std::string screenText(double efficiencyDb);

}  // namespace MenuFourEfficiency
