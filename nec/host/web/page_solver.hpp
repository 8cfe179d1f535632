// The page's solver: nec2c as WebAssembly in the worker that runs the check,
// a fresh instance for each run, solved at once as the run begins (the
// worker has no second thread to run another beside it). The worker's
// script runs nec2c (page_library.js); its report is read back and checked
// here as the command line's is.
#pragma once

#include <chrono>
#include <memory>

#include "nec/model/structure_solver.hpp"

namespace Nec2 {

class PageSolver : public CountingSolver {
 protected:
  std::unique_ptr<Run> begin(const Structure& structure,
                             std::chrono::milliseconds timeLimit) override;
};

}  // namespace Nec2
