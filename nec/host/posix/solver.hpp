// NEC2 through nec2c: a structure, or a deck, solved at every frequency of
// its sweep, the report read back and checked (nec/model/report.hpp).
//
// nec2c runs as a child process (nec/host/posix/solver_process.hpp), within a time
// limit; a run may be started and its solutions taken later, so that two
// go at once. Failures are exceptions:
// SolverMissing when nec2c is not on the search path, SolverFailed
// otherwise, with nec2c's last lines (nec/model/solver_failure.hpp).
#pragma once

#include <chrono>
#include <complex>
#include <memory>
#include <string>
#include <vector>

#include "nec/host/posix/solver_process.hpp"
#include "nec/model/report.hpp"
#include "nec/model/solver_failure.hpp"
#include "nec/model/structure.hpp"
#include "nec/model/structure_solver.hpp"

namespace Nec2 {

// The structure's feed-point impedance and power budget at each frequency
// of its sweep, in order.
std::vector<Solution> solve(const Structure& structure,
                            std::chrono::milliseconds timeLimit = kDefaultTimeLimit);

// The same for a deck written elsewhere, whose sweep and feed the report is
// checked against.
std::vector<Solution> solveDeck(const std::string& deck, const Sweep& sweep, const Segment& feed,
                                std::chrono::milliseconds timeLimit = kDefaultTimeLimit);

// The structure solved by a run of nec2c that goes on while the caller
// does other work; solutions() waits for it and gives what solve() gives.
class StartedSolve {
 public:
  explicit StartedSolve(const Structure& structure,
                        std::chrono::milliseconds timeLimit = kDefaultTimeLimit);
  std::vector<Solution> solutions();

 private:
  StartedSolver run_;
  Sweep sweep_;
  Segment feed_;
};

// The feed-point impedance at the sweep's first frequency.
std::complex<double> feedImpedance(const Structure& structure);

// The number of nec2c runs started so far by this process.
long runCount();

// The checks' solver: nec2c as a child process, a run at a time or two at
// once, counting the runs it begins.
class ProcessSolver : public CountingSolver {
 protected:
  std::unique_ptr<Run> begin(const Structure& structure,
                             std::chrono::milliseconds timeLimit) override;
};

}  // namespace Nec2
