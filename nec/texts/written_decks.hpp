// The NEC2 decks tanshuku-nec writes (--nec): the design as the checks
// resonated it, with comment cards that say what it is and with what coil.
#pragma once

#include <optional>
#include <string>

#include "nec/design/design.hpp"
#include "nec/search/helix_check.hpp"
#include "nec/search/solver_check.hpp"

namespace WrittenDecks {

// The lumped coil's deck: the coil that resonates it as it stands, and the
// coil reported where that differs.
std::string lumped(const SolverCheck::Check& check, const Checked::Design& design,
                   std::optional<double> reportedUh);

// The deck of the element with the helix nearest resonance, as a whip or
// a dipole, and the turns reported where they differ.
std::string wound(const SolverCheck::Check& check, const HelixCheck::WoundCoil& wound,
                  const Checked::Design& design);

}  // namespace WrittenDecks
