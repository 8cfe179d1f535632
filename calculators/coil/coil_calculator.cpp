#include "calculators/coil/coil_calculator.hpp"

namespace CoilCalculator {

void run() {}

}  // namespace CoilCalculator
