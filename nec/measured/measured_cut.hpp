// The cut as the command line and the page make it, after the check: where
// a measurement is given and the element needs a coil, the measured
// resonance taken and the advice for it, with the same solver.
#pragma once

#include <optional>

#include "nec/measured/measured_figures.hpp"
#include "nec/measured/measured_resonance.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/trim.hpp"
#include "nec/search/whole_check.hpp"

namespace MeasuredCut {

struct Cut {
  MeasuredResonance::Taken taken;
  Trim::Advice advice;
};

// The file's figures where the measurement is an analyser's file, which
// must show the resonance the coil tunes (MeasuredResonance::tuned).
std::optional<Cut> run(const std::optional<MeasuredResonance::Given>& given,
                       const Checked::Design& design, const WholeCheck::Outcome& checked,
                       const std::optional<MeasuredFigures::Figures>& file,
                       Nec2::StructureSolver& solver);

}  // namespace MeasuredCut
