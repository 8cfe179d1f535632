// An analyser's file of the antenna as built, as tanshuku-nec takes it:
// read as Touchstone, its figures found, and for a design, the resonance
// the loading coil tunes required of it; or the one line that refuses it,
// naming the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "nec/measured/measured_figures.hpp"
#include "nec/measured/touchstone.hpp"
#include "nec/texts/messages.hpp"

namespace MeasuredFile {

struct Taken {
  Touchstone::OnePort measured;
  MeasuredFigures::Figures figures;
};

// designMhz: the design's frequency, none where the file is read for its
// figures alone.
std::variant<Taken, std::string> take(std::string_view text, std::string_view name,
                                      std::optional<double> designMhz, Messages::Language language);

}  // namespace MeasuredFile
