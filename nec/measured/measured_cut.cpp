#include "nec/measured/measured_cut.hpp"

namespace MeasuredCut {

std::optional<Cut> run(const std::optional<MeasuredResonance::Given>& given,
                       const Checked::Design& design, const WholeCheck::Outcome& checked,
                       const std::optional<MeasuredFigures::Figures>& file,
                       Nec2::StructureSolver& solver) {
  if (!given || !checked.check.results) return std::nullopt;
  const MeasuredResonance::Taken taken = MeasuredResonance::of(*given, design, checked, file);
  const Trim::Asked asked{
      .measured = taken.measured, .change = given->change, .turnsWound = given->turnsWound};
  return Cut{taken, Trim::advise(design, checked, asked, solver)};
}

}  // namespace MeasuredCut
