#include "nec/model/structure.hpp"

namespace Nec2 {

double Sweep::frequencyMhz(int i) const {
  double frequency = firstMhz;
  for (int step = 0; step < i; ++step) frequency += stepMhz;
  return frequency;
}

double wavelengthM(double frequencyMhz) { return kLightSpeed / frequencyMhz; }

}  // namespace Nec2
