#include "nec/search/solver_figures.hpp"

#include <cmath>

#include "nec/search/segment_series.hpp"

namespace SolverFigures {
namespace {

// A dipole is two monopoles' halves in series: twice the impedance.
double impedanceScale(const Checked::Design& d) { return d.dipole ? 2.0 : 1.0; }

std::vector<Bandwidth::Point> scaled(const std::vector<Bandwidth::Point>& sweep, double scale,
                                     double seriesOhm) {
  std::vector<Bandwidth::Point> out;
  out.reserve(sweep.size());
  for (const Bandwidth::Point& point : sweep) {
    out.push_back(
        {point.frequencyMhz, point.resistanceOhm * scale + seriesOhm, point.reactanceOhm * scale});
  }
  return out;
}

double decibels(double powerRatio) { return 10.0 * std::log10(powerRatio); }

void addCoil(const SolverResults& r, Results::Figures& f) {
  const SegmentSeries::Estimate estimate = SegmentSeries::estimate(r.resonatingInductanceUh);
  f.necInductanceUh = estimate.value;
  f.necInductanceUncertaintyUh = estimate.halfWidth();
  f.necInductanceLowUh = estimate.low;
  f.necInductanceHighUh = estimate.high;
  f.necInductanceExtrapolated = estimate.extrapolated;
  for (std::size_t i = 0; i < r.segments.size(); ++i) {
    f.segmentSeries.push_back({r.segments[i], r.resonatingInductanceUh[i]});
  }
  f.differencePercent = (*f.menu1InductanceUh - estimate.value) / estimate.value * 100.0;
  f.segments = r.segments.empty() ? std::nullopt : std::optional(r.segments.back());
  f.nec2cRuns = r.runs;
  f.menu1CoilResonanceMhz = r.menu1CoilResonanceMhz;
  if (estimate.halfWidth() > kSettledShare * estimate.value)
    f.warnings.push_back(Results::Warning::segmentsNotSettled);
}

void addFeed(const SolverResults& r, const Checked::Design& d, Results::Figures& f) {
  const double scale = impedanceScale(d);
  const double groundLossOhm = d.groundLossOhm;  // 0 for a dipole
  const double losslessOhm = r.feedLosslessOhm.real() * scale;
  const double withLossesOhm = r.feedOhm.real() * scale + groundLossOhm;
  f.feedResistanceLosslessOhm = losslessOhm;
  f.feedResistanceOhm = withLossesOhm;
  f.swr50AtResonance = Bandwidth::swr(withLossesOhm, 0.0, Bandwidth::kCableOhm);
  const double efficiency =
      efficiencyWithGroundLoss(r.budgetEfficiencyPercent / 100.0, r.feedOhm.real(), d);
  f.efficiencyPercent = efficiency * 100.0;
  f.efficiencyDb = decibels(efficiency);
  if (r.fullSizeResistanceOhm > 0.0) {
    f.radiationResistanceRatioDb = decibels(r.feedLosslessOhm.real() / r.fullSizeResistanceOhm);
  }
}

void addBandwidth(const SolverResults& r, const Checked::Design& d, Results::Figures& f) {
  const double scale = impedanceScale(d);
  const std::vector<Bandwidth::Point> sweep = feedSweep(r.sweep, d);
  const std::vector<Bandwidth::Point> lossless = scaled(r.sweepLossless, scale, 0.0);
  if (const std::optional<double> f0 = Bandwidth::resonanceMhz(sweep)) {
    const double resistanceOhm = Bandwidth::at(sweep, *f0).resistanceOhm;
    f.q = Bandwidth::slopeQ(sweep, *f0);
    f.bandwidthPredictedKhz = Bandwidth::predictedFractionalBandwidth(*f.q) * *f0 * 1000.0;
    if (const auto matched = Bandwidth::swrEdges(sweep, *f0, resistanceOhm)) {
      f.bandwidthMatchedKhz = matched->widthKhz();
      const double gap = std::abs(*f.bandwidthMatchedKhz - *f.bandwidthPredictedKhz);
      if (gap > kBandwidthAgreement * *f.bandwidthPredictedKhz) {
        f.warnings.push_back(Results::Warning::bandwidthsDisagree);
      }
    }
    if (const auto cable = Bandwidth::swrEdges(sweep, *f0, Bandwidth::kCableOhm)) {
      f.bandwidth50OhmKhz = cable->widthKhz();
    }
  }
  if (const std::optional<double> f0 = Bandwidth::resonanceMhz(lossless)) {
    f.qLossless = Bandwidth::slopeQ(lossless, *f0);
    if (f.chuLimitQ && *f.qLossless < *f.chuLimitQ)
      f.warnings.push_back(Results::Warning::losslessQBelowChu);
  }
}

}  // namespace

double efficiencyWithGroundLoss(double budgetEfficiency, double monopoleFeedOhm,
                                const Checked::Design& design) {
  const double feedOhm = monopoleFeedOhm * impedanceScale(design);
  return budgetEfficiency * feedOhm / (feedOhm + design.groundLossOhm);
}

std::vector<Bandwidth::Point> feedSweep(const std::vector<Bandwidth::Point>& monopole,
                                        const Checked::Design& design) {
  return scaled(monopole, impedanceScale(design), design.groundLossOhm);
}

void add(const SolverResults& results, const Checked::Design& design, Results::Figures& figures) {
  addCoil(results, figures);
  addFeed(results, design, figures);
  addBandwidth(results, design, figures);
}

}  // namespace SolverFigures
