// The program's own numbers for the antenna models, read from its screens:
// each function runs the built program (test_support/process.hpp), answers
// one calculator's questions and reads the result lines. The formulas of
// menus 1, 4 and 5 live inside their calculators; menu 3's model has
// operations of its own, but the element's electrical length and impedance
// are formed by its calculator, so it too is read from the screen.
//
// Answers are typed as decimal text with ten significant digits; the same
// text is what the comparison gives NEC2.
#pragma once

#include <string>

namespace ProgramDialogue {

// The answer text for a value, as typed.
std::string typed(double value);

// The value the program reads from that text.
double asTyped(double value);

// Menu entry 1, base loading: the coil in microhenries.
double baseLoadingCoilUh(double diameterMm, double lengthM, double frequencyMhz);

// Menu entry 1, centre loading with the coil tipLengthM below the tip.
double centreLoadingCoilUh(double diameterMm, double lengthM, double frequencyMhz,
                           double tipLengthM);

// Menu entry 3: the feed-point impedance, and how many times the screen
// apologises for a length outside the supported range. The calculator's own
// range check and the model's curves write the same line; where a curve
// apologises, its part of the impedance is 0 instead of a computed value.
struct FeedImpedance {
  double resistanceOhm;
  double reactanceOhm;
  int apologies;
};
FeedImpedance feedImpedance(double frequencyMhz, double lengthM, double diameterMm);

// Menu entry 4: the efficiency as printed, a ratio and in decibels.
struct Efficiency {
  double ratio;
  double decibels;
};
Efficiency efficiency(double frequencyMhz, double nearLoadingPointM, double farLoadingPointM);

// Menu entry 5: the shortening in percent and the element length in metres.
struct Dipole {
  double shorteningPercent;
  double elementLengthM;
};
Dipole dipole(double frequencyMhz, double diameterMm);

}  // namespace ProgramDialogue
