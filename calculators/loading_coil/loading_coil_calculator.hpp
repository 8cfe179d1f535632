#pragma once

namespace LoadingCoilCalculator {

void run();

}  // namespace LoadingCoilCalculator
