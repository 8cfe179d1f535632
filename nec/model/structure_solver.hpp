// What solves a structure for the checks: nec2c as a child process here,
// nec2c in a page's worker elsewhere, or a stand-in in the tests. The
// checks take one handed in, so that they run wherever one is, and are
// tested without nec2c.
#pragma once

#include <chrono>
#include <complex>
#include <memory>
#include <vector>

#include "nec/model/report.hpp"
#include "nec/model/structure.hpp"

namespace Nec2 {

// A deck of a few hundred segments solves in well under a second for each
// frequency; the limit stops a run that hangs or was given far too much.
inline constexpr std::chrono::milliseconds kDefaultTimeLimit{30'000};
// The whole check, every nec2c run together, ends at this limit: well past
// the largest helix --helix allows on a 2-core machine.
inline constexpr std::chrono::milliseconds kWholeCheckLimit{std::chrono::minutes{30}};

class StructureSolver {
 public:
  // A run begun: its solutions, at every frequency of the sweep in order,
  // when asked for; or the failure it ended in, thrown then.
  class Run {
   public:
    virtual ~Run() = default;
    virtual std::vector<Solution> solutions() = 0;
  };

  virtual ~StructureSolver() = default;

  // Begins a run within the time limit. A solver may go on with it beside
  // the next one begun, or solve it at once.
  virtual std::unique_ptr<Run> start(const Structure& structure,
                                     std::chrono::milliseconds timeLimit) = 0;
  // The runs begun so far.
  virtual long runs() const = 0;

  // A run begun and waited for.
  std::vector<Solution> solve(const Structure& structure,
                              std::chrono::milliseconds timeLimit = kDefaultTimeLimit) {
    return start(structure, timeLimit)->solutions();
  }
  // The feed-point impedance at the sweep's first frequency.
  std::complex<double> feedImpedance(const Structure& structure) {
    return solve(structure).front().feedImpedanceOhm;
  }
};

// A solver that counts the runs it begins, each begun by begin().
class CountingSolver : public StructureSolver {
 public:
  std::unique_ptr<Run> start(const Structure& structure,
                             std::chrono::milliseconds timeLimit) final {
    std::unique_ptr<Run> run = begin(structure, timeLimit);
    ++runs_;
    return run;
  }
  long runs() const final { return runs_; }

 protected:
  virtual std::unique_ptr<Run> begin(const Structure& structure,
                                     std::chrono::milliseconds timeLimit) = 0;

 private:
  long runs_ = 0;
};

}  // namespace Nec2
