// Menu 1's loading coil for a design, by menu 1's own formulas in the
// program's arithmetic, and as menu 1's screen writes it.
#pragma once

#include <optional>
#include <string>

namespace MenuOneCoil {

// The inductance in microhenries, as stored before menu 1 prints it: the
// base-loading coil, scaled for a coil at tipM from the tip when given.
double inductanceUh(double elementDiameterMm, double elementLengthM, double frequencyMhz,
                    std::optional<double> tipM);

// The number as menu 1's result line shows it (the fixed-point writer, 4
// decimals), without the blanks that pad it to its field: 23.6540.
std::string screenText(double inductanceUh);

// The inductance as a builder reads it off the screen: the screen's text
// read back as the program reads a number (23.654 for 23.6540).
double shownUh(double inductanceUh);

}  // namespace MenuOneCoil
