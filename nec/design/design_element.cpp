#include "nec/design/design_element.hpp"

namespace DesignElement {

Nec2::LoadedElement bare(const Checked::Design& d, int segments) {
  Nec2::LoadedElement e;
  e.lengthM = d.lengthM;
  e.diameterM = d.diameterMm / 1000.0;
  e.segments = segments;
  e.conductor = d.conductor;
  e.sweep = Nec2::Sweep{d.frequencyMhz};
  return e;
}

Nec2::LoadedElement placed(const Checked::Design& d, int segments) {
  return withCoil(bare(d, segments), d, 0.0);
}

Nec2::LoadedElement withCoil(Nec2::LoadedElement e, const Checked::Design& d, double inductanceH,
                             bool lossy) {
  Nec2::LoadingCoil coil{d.loading.heightM(d.lengthM), inductanceH};
  if (lossy) {
    coil.q = d.q;
    coil.qFrequencyMhz = d.frequencyMhz;
  }
  e.coil = coil;
  return e;
}

}  // namespace DesignElement
