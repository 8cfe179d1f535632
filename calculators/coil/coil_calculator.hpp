#pragma once

namespace CoilCalculator {

void run();

}  // namespace CoilCalculator
