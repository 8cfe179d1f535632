#include "calculators/impedance/impedance_calculator.hpp"

namespace ImpedanceCalculator {

void run() {}

}  // namespace ImpedanceCalculator
