#include "nec/host/web/page_solver.hpp"

#include <cstdlib>
#include <string>

#include "nec/model/deck.hpp"
#include "nec/model/solver_failure.hpp"

// The worker's nec2c (page_library.js): runs the deck in a fresh instance
// and gives its exit status, its report and its other output, each a text
// of malloc's that the caller frees. The worker ends the whole check where
// the run passes its time limit, so no run comes back over it.
extern "C" int nec_page_run_nec2c(const char* deck, double timeLimitMs, char** report,
                                  char** messages);

namespace Nec2 {
namespace {

std::string taken(char* text) {
  std::string kept(text != nullptr ? text : "");
  std::free(text);
  return kept;
}

class SolvedRun : public StructureSolver::Run {
 public:
  explicit SolvedRun(std::vector<Solution> solutions) : solutions_(std::move(solutions)) {}
  std::vector<Solution> solutions() override { return std::move(solutions_); }

 private:
  std::vector<Solution> solutions_;
};

std::vector<Solution> solved(const Structure& structure, std::chrono::milliseconds timeLimit) {
  char* reportText = nullptr;
  char* messagesText = nullptr;
  const int status = nec_page_run_nec2c(
      deck(structure).c_str(), static_cast<double>(timeLimit.count()), &reportText, &messagesText);
  const SolverOutput output{taken(reportText), taken(messagesText)};
  if (status != 0) {
    throw SolverFailed(SolverFailed::Cause::failed, exitStatusFailure(status), lastLinesOf(output));
  }
  return readReport(output.report, structure.sweep, structure.feed);
}

}  // namespace

std::unique_ptr<StructureSolver::Run> PageSolver::begin(const Structure& structure,
                                                        std::chrono::milliseconds timeLimit) {
  return std::make_unique<SolvedRun>(solved(structure, timeLimit));
}

}  // namespace Nec2
