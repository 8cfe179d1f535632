#pragma once

namespace ImpedanceCalculator {

void run();

}  // namespace ImpedanceCalculator
