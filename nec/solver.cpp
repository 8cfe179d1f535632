#include "nec/solver.hpp"

#include "nec/deck.hpp"
#include "nec/solver_process.hpp"

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

}  // namespace Nec2
