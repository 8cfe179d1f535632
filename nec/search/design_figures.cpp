#include "nec/search/design_figures.hpp"

#include "arithmetic/stored.hpp"
#include "calculators/loading_coil/loading_coil_formulas.hpp"
#include "nec/design/coil_as_wound.hpp"
#include "nec/design/design_element.hpp"
#include "nec/design/menu_four_efficiency.hpp"
#include "nec/design/menu_one_coil.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/segmentation.hpp"

namespace DesignFigures {
namespace {

using Results::Warning;

void addCoilFor(const Checked::Design& d, double inductanceUh, Results::Figures& f) {
  f.turnsForInductanceUh = inductanceUh;
  const std::optional<CoilAsWound::Coil> coil =
      CoilAsWound::coilFor(inductanceUh, *d.winding, d.frequencyMhz);
  if (!coil) {
    f.warnings.push_back(Warning::coilTooLarge);
    return;
  }
  f.turns = coil->turns;
  f.coilLengthMm = coil->lengthMm;
  f.selfResonanceMhz = coil->selfResonanceMhz;
  f.turnsInductanceUh = coil->inductanceUh;
  if (coil->selfResonanceTooLow) f.warnings.push_back(Warning::selfResonanceLow);
}

void addTurnsRange(const Checked::Design& d, Results::Figures& f) {
  if (f.necInductanceExtrapolated || !f.necInductanceLowUh || !f.necInductanceHighUh) return;
  const auto low = CoilAsWound::coilFor(*f.necInductanceLowUh, *d.winding, d.frequencyMhz);
  const auto high = CoilAsWound::coilFor(*f.necInductanceHighUh, *d.winding, d.frequencyMhz);
  if (low && high) {
    f.turnsLow = low->turns;
    f.turnsHigh = high->turns;
  }
}

}  // namespace

double coilToWindUh(const Results::Figures& f) {
  if (!f.necInductanceUh) return *f.menu1InductanceUh;
  if (f.necInductanceExtrapolated) return *f.necInductanceUh;
  return (*f.necInductanceLowUh + *f.necInductanceHighUh) / 2.0;
}

Results::Figures designFigures(const Checked::Design& d) {
  Results::Figures f;
  const double lengthM = d.lengthM;
  const double frequencyMhz = d.frequencyMhz;
  f.menu1InductanceUh =
      MenuOneCoil::inductanceUh(d.diameterMm, lengthM, frequencyMhz, d.loading.tipM());
  f.menu4EfficiencyDb = MenuFourEfficiency::efficiencyDb(lengthM, frequencyMhz, d.loading.tipM());
  f.chuLimitQ = Bandwidth::chuLimitQ(frequencyMhz, lengthM);
  const double quarterWaveM = stored(LoadingCoilFormulas::quarterWaveLengthM(frequencyMhz));
  if (lengthM > kNearResonanceShare * quarterWaveM) f.warnings.push_back(Warning::nearOwnResonance);
  return f;
}

void addSegmentation(const Checked::Design& d, int coarsest, int finest, Results::Figures& f) {
  auto fitAt = [&](int segments) {
    return Segmentation::fitOf(DesignElement::placed(d, segments), d.frequencyMhz);
  };
  if (fitAt(finest).needsExtendedKernel) f.warnings.push_back(Warning::extendedKernel);
  if (fitAt(coarsest).belowAdvisedLength) f.warnings.push_back(Warning::shortSegments);
}

void addCoilAsWound(const Checked::Design& d, Results::Figures& f) {
  if (!d.winding) return;
  addCoilFor(d, coilToWindUh(f), f);
  addTurnsRange(d, f);
}

}  // namespace DesignFigures
