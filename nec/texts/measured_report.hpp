// What tanshuku-nec says of a measured antenna: its file's range, the
// resonances (the one nearest the design's frequency first), the lowest SWR
// on 50 ohm and the band where it stays below 2; on the screen in English
// or Japanese, and as one JSON object.
#pragma once

#include <optional>
#include <string>

#include "nec/measured/measured_figures.hpp"
#include "nec/measured/touchstone.hpp"
#include "nec/texts/messages.hpp"

namespace MeasuredReport {

// The screen, UTF-8 with LF line ends: the figures of the measured file,
// with nearMhz the resonance nearest it first and marked.
std::string text(const Touchstone::OnePort& measured, const MeasuredFigures::Figures& figures,
                 std::optional<double> nearMhz, Messages::Language language);

// The object on one line, without a line end (the caller puts it where it
// goes), null for a figure that does not exist.
std::string json(const MeasuredFigures::Figures& figures);

}  // namespace MeasuredReport
