// One NEC2 run of a small monopole, for a test to interrupt: nec2c is
// whatever the search path finds. Ends with status 0 when the run returns,
// 1 with the reason when it fails; a signal that interrupts it is raised
// again once the run has cleaned up, and ends the probe.
#include <cstdio>
#include <exception>

#include "nec/host/posix/solver.hpp"
#include "nec/model/loaded_element.hpp"

int main() {
  Nec2::LoadedElement element{.lengthM = 5.0, .diameterM = 0.002, .segments = 21, .sweep = {7.05}};
  try {
    Nec2::solve(Nec2::structureOf(element));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
