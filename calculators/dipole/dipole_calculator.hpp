#pragma once

namespace DipoleCalculator {

void run();

}  // namespace DipoleCalculator
