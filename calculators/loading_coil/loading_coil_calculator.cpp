#include "calculators/loading_coil/loading_coil_calculator.hpp"

namespace LoadingCoilCalculator {

void run() {}

}  // namespace LoadingCoilCalculator
