// The texts of the files tanshuku-nec writes beside its screen, made from
// the checked design and what the check made of it: the command line
// writes them to files, the page offers them as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nec/design/design.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/whole_check.hpp"

namespace DesignFiles {

// The checked design and what the check made of it.
struct CheckedDesign {
  const Checked::Design& design;
  const WholeCheck::Outcome& outcome;
};

// The NEC2 deck of the resonated design: the coil as wound where it ran.
std::string deck(const CheckedDesign& checked);
// The MMANA-GAL model with the coil that the figures know; its comment
// names the program's version.
std::string maa(const CheckedDesign& checked, std::string_view version);
// The feed's sweep about resonance; empty where the element needed no coil.
std::vector<Bandwidth::Point> sweep(const CheckedDesign& checked);
// The resistance the sweep's SWR is taken on.
double matchedOhm(const CheckedDesign& checked);
// The sweep as CSV; none where there is no sweep.
std::optional<std::string> sweepCsv(const CheckedDesign& checked);

}  // namespace DesignFiles
