#include "nec/search/whole_check.hpp"

#include "nec/search/design_figures.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/solver_figures.hpp"

namespace WholeCheck {

Outcome run(const Checked::Design& design, Nec2::StructureSolver& solver,
            const Progress::Report& report, int mostHelixSegments) {
  Outcome outcome{DesignFigures::designFigures(design), SolverCheck::run(design, solver, report),
                  std::nullopt};
  Results::Figures& figures = outcome.figures;
  const SolverCheck::Check& check = outcome.check;
  if (check.results) SolverFigures::add(*check.results, design, figures);
  const int finest = check.resonated.segments;
  DesignFigures::addSegmentation(design, check.results ? check.results->segments.front() : finest,
                                 finest, figures);
  DesignFigures::addCoilAsWound(design, figures);
  if (!check.results || !figures.turns) return outcome;
  figures.helixNotRun = HelixCheck::leftOut(design, *figures.turns, mostHelixSegments);
  if (figures.helixNotRun) {
    figures.helixSegmentsNeeded = HelixLimits::segmentsFor(*figures.turns);
    if (figures.helixNotRun == Results::HelixNotRun::beyondDevice) {
      figures.helixDeviceMostSegments = mostHelixSegments;
    }
    return outcome;
  }
  outcome.wound = HelixCheck::run(design, check, *figures.turns, solver, report);
  HelixCheck::add(outcome.wound, design, figures);
  figures.nec2cRuns = static_cast<int>(solver.runs());
  return outcome;
}

}  // namespace WholeCheck
