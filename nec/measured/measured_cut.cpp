#include "nec/measured/measured_cut.hpp"

namespace MeasuredCut {

std::optional<Cut> run(const DesignValues::Values& values, const Checked::Design& design,
                       const WholeCheck::Outcome& checked,
                       const std::optional<MeasuredFigures::Figures>& file,
                       Nec2::StructureSolver& solver) {
  if (!DesignValues::measured(values) || !checked.check.results) return std::nullopt;
  const MeasuredResonance::Taken taken = MeasuredResonance::of(values, design, checked, file);
  const Trim::Asked asked{.measured = taken.measured,
                          .change = DesignValues::changeOf(values),
                          .turnsWound = values.turns};
  return Cut{taken, Trim::advise(design, checked, asked, solver)};
}

}  // namespace MeasuredCut
