#include "nec/host/posix/solver.hpp"

#include "nec/host/posix/solver_process.hpp"
#include "nec/model/deck.hpp"

namespace Nec2 {

std::vector<Solution> solve(const Structure& structure, std::chrono::milliseconds timeLimit) {
  return solveDeck(deck(structure), structure.sweep, structure.feed, timeLimit);
}

std::vector<Solution> solveDeck(const std::string& deck, const Sweep& sweep, const Segment& feed,
                                std::chrono::milliseconds timeLimit) {
  return readReport(runSolver(deck, timeLimit).report, sweep, feed);
}

StartedSolve::StartedSolve(const Structure& structure, std::chrono::milliseconds timeLimit)
    : run_(deck(structure), timeLimit), sweep_(structure.sweep), feed_(structure.feed) {}

std::vector<Solution> StartedSolve::solutions() {
  return readReport(run_.finish().report, sweep_, feed_);
}

std::complex<double> feedImpedance(const Structure& structure) {
  return solve(structure).front().feedImpedanceOhm;
}

long runCount() { return solverRuns(); }

namespace {

class ChildRun : public StructureSolver::Run {
 public:
  ChildRun(const Structure& structure, std::chrono::milliseconds timeLimit)
      : run_(structure, timeLimit) {}
  std::vector<Solution> solutions() override { return run_.solutions(); }

 private:
  StartedSolve run_;
};

}  // namespace

std::unique_ptr<StructureSolver::Run> ProcessSolver::begin(const Structure& structure,
                                                           std::chrono::milliseconds timeLimit) {
  return std::make_unique<ChildRun>(structure, timeLimit);
}

}  // namespace Nec2
