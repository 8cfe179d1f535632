// What tanshuku-nec warns of: each warning's code, which the JSON object
// lists, and its words on the screen in either language. The switches that
// give them have no default, so that a new warning without words does not
// compile.
#pragma once

#include <string>
#include <string_view>

#include "nec/messages.hpp"

namespace Results {
struct Figures;
}

namespace Warnings {

enum class Warning {
  selfResonanceLow,    // the coil as wound is no plain inductance
  nearOwnResonance,    // the element is near a quarter wave
  extendedKernel,      // segments short against the wire's radius
  shortSegments,       // segments under the guide's advised length
  coilTooLarge,        // no coil of the measures reaches the inductance
  helixNotSettled,     // the helix's turns change at the finer count
  noTurnsResonate,     // no helix that fits resonates the element
  segmentsNotSettled,  // NEC2's coil not settled to 1 %: a range
  bandwidthsDisagree,  // the sweep's and the slope's bandwidths differ
  losslessQBelowChu,   // a Q below what physics allows
};

std::string_view code(Warning warning);

// The words of the screen, without "Warning: " and the line end; the
// figures the words name are the figures'.
std::string words(Warning warning, const Results::Figures& figures, Messages::Language language);

}  // namespace Warnings
