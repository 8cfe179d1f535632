// The characteristic impedance of a straight conductor, shared by the
// calculators that size an element. Evaluated in the extended format; the
// caller decides where the result is stored.
#pragma once

#include "arithmetic/maths.hpp"
#include "calculators/ln10.hpp"

namespace Antenna {

// 138 × log10(2L ÷ D) in ohms, for a conductor of length L (metres) and
// diameter D (typed in millimetres). The order of the steps is fixed, because
// it decides where a bad length or diameter faults: 2 × L, D ÷ 1000, their
// quotient, its logarithm, times 138, divided by ln 10.
inline Extended elementImpedance(Extended lengthM, Extended diameterMm) {
  return 138.0L * Arithmetic::log(2.0L * lengthM / (diameterMm / 1000.0L)) / kLn10;
}

}  // namespace Antenna
