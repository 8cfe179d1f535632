#include "nec/measured/measured_resonance.hpp"

#include "nec/measured/touchstone.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/solver_figures.hpp"

namespace MeasuredResonance {

std::optional<double> modelSwrMinimumMhz(const Checked::Design& design,
                                         const WholeCheck::Outcome& checked) {
  if (!checked.check.results) return std::nullopt;
  Touchstone::OnePort sweep{{}, Bandwidth::kCableOhm, false, 0};
  for (const Bandwidth::Point& point :
       SolverFigures::feedSweep(checked.check.results->sweep, design)) {
    sweep.points.push_back({point.frequencyMhz * 1e6, {point.resistanceOhm, point.reactanceOhm}});
  }
  return MeasuredFigures::of(sweep).minimumSwrMhz;
}

std::optional<MeasuredFigures::Resonance> tuned(const MeasuredFigures::Figures& file,
                                                double designMhz) {
  const std::optional<MeasuredFigures::Resonance> nearest =
      MeasuredFigures::nearest(file, designMhz);
  if (!nearest || !nearest->rising) return std::nullopt;
  return nearest;
}

Taken of(const Given& given, const Checked::Design& design, const WholeCheck::Outcome& checked,
         const std::optional<MeasuredFigures::Figures>& file) {
  const std::optional<double> resistanceOhm = given.resistanceOhm;
  if (file) {
    const MeasuredFigures::Resonance resonance = tuned(*file, design.frequencyMhz).value();
    return Taken{{resonance.mhz, resistanceOhm ? resistanceOhm : resonance.resistanceOhm}, {}};
  }
  if (given.resonanceMhz) return Taken{{*given.resonanceMhz, resistanceOhm}, {}};
  const double swrMinimumMhz = given.swrMinimumMhz.value();
  const std::optional<double> modelMinimumMhz = modelSwrMinimumMhz(design, checked);
  const std::optional<double> modelResonanceMhz =
      checked.check.results
          ? Bandwidth::resonanceMhz(SolverFigures::feedSweep(checked.check.results->sweep, design))
          : std::nullopt;
  const double offsetMhz =
      modelMinimumMhz && modelResonanceMhz ? *modelMinimumMhz - *modelResonanceMhz : 0.0;
  return Taken{{swrMinimumMhz - offsetMhz, resistanceOhm}, swrMinimumMhz};
}

}  // namespace MeasuredResonance
