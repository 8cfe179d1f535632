#include "nec/design_element.hpp"

namespace DesignElement {

double coilHeightM(const DesignOptions::Options& o) { return o.tipM ? *o.lengthM - *o.tipM : 0.0; }

Nec2::LoadedElement bare(const DesignOptions::Options& o, int segments) {
  Nec2::LoadedElement e;
  e.lengthM = *o.lengthM;
  e.diameterM = *o.diameterMm / 1000.0;
  e.segments = segments;
  e.conductor = o.conductor;
  e.sweep = Nec2::Sweep{*o.frequencyMhz};
  return e;
}

Nec2::LoadedElement withCoil(Nec2::LoadedElement e, const DesignOptions::Options& o,
                             double inductanceH, bool lossy) {
  Nec2::LoadingCoil coil{coilHeightM(o), inductanceH};
  if (lossy) {
    coil.q = o.q;
    coil.qFrequencyMhz = *o.frequencyMhz;
  }
  e.coil = coil;
  return e;
}

}  // namespace DesignElement
