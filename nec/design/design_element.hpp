// The design's element as NEC2 models it: the monopole over perfect ground
// of its length, wire and metal, its coil placed where the design puts it
// (the tip's distance below the tip, or the base), at a segment count.
#pragma once

#include "nec/design/design.hpp"
#include "nec/model/loaded_element.hpp"

namespace DesignElement {

// The element without its coil, solved at the design's frequency.
Nec2::LoadedElement bare(const Checked::Design& design, int segments);

// With its coil placed where the design puts it and no inductance yet:
// what the segmentation of a count is judged on.
Nec2::LoadedElement placed(const Checked::Design& design, int segments);

// With a coil of the inductance; lossy: with the loss its Q gives it at the
// design's frequency, else lossless.
Nec2::LoadedElement withCoil(Nec2::LoadedElement element, const Checked::Design& design,
                             double inductanceH, bool lossy = true);

}  // namespace DesignElement
