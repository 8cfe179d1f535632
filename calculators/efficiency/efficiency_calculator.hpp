// Menu entry 4: radiation efficiency of a shortened antenna element.
#pragma once

namespace EfficiencyCalculator {

void run();

}  // namespace EfficiencyCalculator
