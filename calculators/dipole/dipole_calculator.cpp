#include "calculators/dipole/dipole_calculator.hpp"

namespace DipoleCalculator {

void run() {}

}  // namespace DipoleCalculator
