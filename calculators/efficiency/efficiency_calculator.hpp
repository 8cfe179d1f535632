#pragma once

namespace EfficiencyCalculator {

void run();

}  // namespace EfficiencyCalculator
