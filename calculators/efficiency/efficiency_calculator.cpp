#include "calculators/efficiency/efficiency_calculator.hpp"

namespace EfficiencyCalculator {

void run() {}

}  // namespace EfficiencyCalculator
