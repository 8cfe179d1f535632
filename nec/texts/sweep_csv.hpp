// A frequency sweep as CSV: frequency, resistance, reactance, and the SWR
// against the resonant resistance (as behind a matching network) and against
// 50 Ω; one header line, "." decimal points, LF line ends.
#pragma once

#include <span>
#include <string>

#include "nec/search/bandwidth.hpp"

namespace SweepCsv {

std::string text(std::span<const Bandwidth::Point> sweep, double matchedReferenceOhm);

}  // namespace SweepCsv
