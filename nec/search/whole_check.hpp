// tanshuku-nec's check of a design, as the command line and the page run
// it: the figures without the solver, the lumped coil that resonates, then
// the coil as wound where its measures are given and the helix is not
// left out (also where it is larger than mostHelixSegments, the cap of a
// device with less memory). Throws as the checks do
// (nec/search/solver_check.hpp).
#pragma once

#include <optional>

#include "nec/design/design.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/figures.hpp"
#include "nec/search/helix_check.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/progress.hpp"
#include "nec/search/solver_check.hpp"

namespace WholeCheck {

struct Outcome {
  Results::Figures figures;
  SolverCheck::Check check;
  std::optional<HelixCheck::WoundCoil> wound;  // where the helix ran
};

Outcome run(const Checked::Design& design, Nec2::StructureSolver& solver,
            const Progress::Report& report = {},
            int mostHelixSegments = HelixLimits::kMostSegments);

}  // namespace WholeCheck
