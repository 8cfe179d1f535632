// The design's element as NEC2 models it: the monopole over perfect ground
// of its length, wire and metal, its coil placed where the design puts it
// (the tip's distance below the tip, or the base), at a segment count.
#pragma once

#include "nec/design_options.hpp"
#include "nec/loaded_element.hpp"

namespace DesignElement {

// The coil's height above the feed: the element less the tip, 0 at the base.
double coilHeightM(const DesignOptions::Options& options);

// The element without its coil, solved at the design's frequency.
Nec2::LoadedElement bare(const DesignOptions::Options& options, int segments);

// With a coil of the inductance; lossy: with the loss its Q gives it at the
// design's frequency, else lossless.
Nec2::LoadedElement withCoil(Nec2::LoadedElement element, const DesignOptions::Options& options,
                             double inductanceH, bool lossy = true);

}  // namespace DesignElement
