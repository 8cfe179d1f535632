#include "nec/search/solver_check.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <stdexcept>
#include <vector>

#include "nec/design/design_element.hpp"
#include "nec/design/menu_one_coil.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/resonance.hpp"
#include "nec/search/segment_series.hpp"
#include "nec/search/segmentation.hpp"

namespace SolverCheck {
namespace {

// The series of segmentations stops once a halving changes the coil
// little, but runs through four counts at least where the element allows
// them, so that the tail can be judged by two ratios of its changes.
constexpr int kFewestCounts = 4;
// The root found in closed form is confirmed by one more run; where its
// reactance is further from 0 than this, the fit is made again through
// the samples nearest the root.
constexpr double kConfirmedReactanceOhm = 0.05;
constexpr int kMostRefits = 4;
// The sweeps: points, and the span as a multiple of the bandwidth the
// slope predicts, widened until both 2:1 edges lie inside it. Each point
// is a solution of its own, so the sweeps take the series' count nearest
// this one, with the coil that resonates at that count: the bandwidth
// changes far less with the segments than the coil does.
constexpr int kSweepPoints = 41;
constexpr int kSweepSegments = 81;
constexpr double kFirstSpanBandwidths = 3.0;
constexpr int kMostWidenings = 4;
// Where menu 1's coil resonates: first a coarse look either side of the
// frequency, then a fine one around the crossing found.
// The fine look is made at the finest count, over three points.
constexpr double kCoarseShare = 0.3;
constexpr int kCoarsePoints = 31;
constexpr double kFineShare = 0.005;
constexpr int kNearPoints = 11;

using Complex = std::complex<double>;

double frequencyOf(const Checked::Design& d) { return d.frequencyMhz; }

using DesignElement::withCoil;

Nec2::LoadedElement element(const Checked::Design& d, int segments) {
  return DesignElement::bare(d, segments);
}

Nec2::LoadedElement lossless(Nec2::LoadedElement e) {
  e.conductor = Nec2::Conductor::perfect;
  if (e.coil) e.coil->q = std::numeric_limits<double>::infinity();
  return e;
}

Complex feedOf(Nec2::StructureSolver& solver, const Nec2::LoadedElement& e) {
  return solver.feedImpedance(Nec2::structureOf(e));
}

struct Root {
  Resonance::Resonances resonances;
  Nec2::Solution confirmed{};
  std::optional<Resonance::Bilinear> feed;
};

// The first resonance of the element (a monopole or a dipole) at its
// segmentation: three runs fix the feed as a function of the coil's
// impedance, the root follows, one run confirms it.
Root resonate(Nec2::StructureSolver& solver, const Checked::Design& d,
              const Nec2::LoadedElement& bare, double guessH) {
  const Resonance::Coil coil{frequencyOf(d), d.q};
  std::vector<Resonance::Sample> samples;
  for (const double share : {0.6, 1.0, 1.4}) {
    const double inductanceH = guessH * share;
    samples.push_back(
        {coil.impedanceOhm(inductanceH), feedOf(solver, withCoil(bare, d, inductanceH, true))});
  }
  Root root{};
  for (int fit = 0; fit <= kMostRefits; ++fit) {
    const std::optional<Resonance::Bilinear> feed =
        Resonance::fitBilinear({samples[0], samples[1], samples[2]});
    if (!feed) break;
    root.feed = feed;
    root.resonances = Resonance::firstResonance(*feed, coil);
    if (!root.resonances.seriesH) return root;
    const double inductanceH = *root.resonances.seriesH;
    const Nec2::LoadedElement tried = withCoil(bare, d, inductanceH, true);
    root.confirmed = solver.solve(Nec2::structureOf(tried)).front();
    if (std::abs(root.confirmed.feedImpedanceOhm.imag()) <= kConfirmedReactanceOhm) return root;
    // Keep the two samples nearest the root, and the confirming run.
    std::sort(samples.begin(), samples.end(), [&](const auto& a, const auto& b) {
      return std::abs(a.loadOhm - coil.impedanceOhm(inductanceH)) <
             std::abs(b.loadOhm - coil.impedanceOhm(inductanceH));
    });
    samples[2] = {coil.impedanceOhm(inductanceH), root.confirmed.feedImpedanceOhm};
  }
  return root;
}

std::vector<Bandwidth::Point> pointsOf(const std::vector<Nec2::Solution>& solutions) {
  std::vector<Bandwidth::Point> points;
  points.reserve(solutions.size());
  for (const Nec2::Solution& s : solutions) {
    points.push_back({s.frequencyMhz, s.feedImpedanceOhm.real(), s.feedImpedanceOhm.imag()});
  }
  return points;
}

std::vector<Bandwidth::Point> sweep(Nec2::StructureSolver& solver, Nec2::LoadedElement e,
                                    double centreMhz, double halfSpanMhz, int points) {
  e.sweep = Nec2::Sweep{centreMhz - halfSpanMhz, 2.0 * halfSpanMhz / (points - 1), points};
  return pointsOf(solver.solve(Nec2::structureOf(e)));
}

// Where menu 1's coil, as wound with its loss, makes the element resonate:
// looked for at the sweeps' count, then at the finest.
std::optional<double> menu1CoilResonanceMhz(Nec2::StructureSolver& solver, const Checked::Design& d,
                                            int sweepSegments, int finestSegments, double menu1H) {
  const double f = frequencyOf(d);
  const std::optional<double> coarse =
      Bandwidth::resonanceMhz(sweep(solver, withCoil(element(d, sweepSegments), d, menu1H, true), f,
                                    kCoarseShare * f, kCoarsePoints));
  if (!coarse) return std::nullopt;
  const Nec2::LoadedElement finest = withCoil(element(d, finestSegments), d, menu1H, true);
  const std::optional<double> fine =
      Bandwidth::resonanceMhz(sweep(solver, finest, *coarse, kFineShare * *coarse, 3));
  return fine ? fine : coarse;
}

// Both 2:1 edges inside the sweep: against the resonant resistance, and
// against 50 ohm where the SWR there falls below 2 at all.
bool coversEdges(const std::vector<Bandwidth::Point>& feed) {
  const std::optional<double> f0 = Bandwidth::resonanceMhz(feed);
  if (!f0) return false;
  const Bandwidth::Point at = Bandwidth::at(feed, *f0);
  if (!Bandwidth::swrEdges(feed, *f0, at.resistanceOhm)) return false;
  const bool cableEdgesExist = Bandwidth::swr(at.resistanceOhm, 0.0, 50.0) < 2.0;
  return !cableEdgesExist || Bandwidth::swrEdges(feed, *f0, 50.0).has_value();
}

void addSweeps(Nec2::StructureSolver& solver, const Checked::Design& d,
               const Nec2::LoadedElement& resonated, SolverFigures::SolverResults& r) {
  const double f = frequencyOf(d);
  // The slope at resonance gives the Q, and the Q the span to look over.
  const std::vector<Bandwidth::Point> near =
      sweep(solver, resonated, f, kFineShare * f, kNearPoints);
  const double q = Bandwidth::slopeQ(near, f);
  double halfSpanMhz = kFirstSpanBandwidths * Bandwidth::predictedFractionalBandwidth(q) * f / 2.0;
  for (int widening = 0; widening <= kMostWidenings; ++widening, halfSpanMhz *= 2.0) {
    r.sweep = sweep(solver, resonated, f, std::min(halfSpanMhz, 0.9 * f), kSweepPoints);
    if (coversEdges(SolverFigures::feedSweep(r.sweep, d))) break;
  }
  r.sweepLossless =
      sweep(solver, lossless(resonated), f, std::min(halfSpanMhz, 0.9 * f), kSweepPoints);
}

// A full-size quarter wave of the same wire, lossless and cut to resonance
// (a little shorter than a quarter of the free-space wavelength): the
// secant on its length, from 95 % and 97 % of it.
double fullSizeResistanceOhm(Nec2::StructureSolver& solver, const Checked::Design& d,
                             int segments) {
  Nec2::LoadedElement e = lossless(element(d, segments));
  const double quarterWaveM = Nec2::wavelengthM(frequencyOf(d)) / 4.0;
  double shorter = 0.95 * quarterWaveM;
  double longer = 0.97 * quarterWaveM;
  e.lengthM = shorter;
  Complex atShorter = feedOf(solver, e);
  e.lengthM = longer;
  Complex atLonger = feedOf(solver, e);
  for (int step = 0; step < kMostRefits && std::abs(atLonger.imag()) > kConfirmedReactanceOhm;
       ++step) {
    const double next =
        longer - atLonger.imag() * (longer - shorter) / (atLonger.imag() - atShorter.imag());
    shorter = longer;
    atShorter = atLonger;
    longer = next;
    e.lengthM = longer;
    atLonger = feedOf(solver, e);
  }
  return atLonger.real();
}

// The dipole of two such halves in free space, with its own feed segment
// across the middle, resonated at the same count: its coils differ a
// little from the monopole's over ground, whose figures the dipole's
// follow, so that the deck written for it resonates as it stands. Where
// the dipole finds no root, the monopole's coil.
Nec2::LoadedElement resonatedDipole(Nec2::StructureSolver& solver, const Checked::Design& d,
                                    int segments, double monopoleH) {
  Nec2::LoadedElement dipole = element(d, segments);
  dipole.form = Nec2::LoadedElement::Form::centreFedDipole;
  const Root root = resonate(solver, d, dipole, monopoleH);
  return withCoil(dipole, d, root.resonances.seriesH.value_or(monopoleH), true);
}

// The element needs no coil where the fit says so and a run of the bare
// element confirms it: its reactance is 0 or more without a coil.
bool needsNoCoil(Nec2::StructureSolver& solver, const Root& root, const Nec2::LoadedElement& bare) {
  return root.feed && root.resonances.outcome == Resonance::Resonances::Outcome::needsNoCoil &&
         feedOf(solver, bare).imag() >= 0.0;
}

}  // namespace

std::complex<double> losslessFeedOhm(Nec2::StructureSolver& solver, const Checked::Design& design,
                                     int segments, double inductanceH) {
  return feedOf(solver, lossless(withCoil(element(design, segments), design, inductanceH, true)));
}

NoResonance::NoResonance() : std::runtime_error("NEC2 finds no coil that resonates the element") {}

Check run(const Checked::Design& d, Nec2::StructureSolver& solver, const Progress::Report& report) {
  auto tell = [&](Progress::Stage stage, int segments) {
    if (report) report({stage, segments, solver.runs()});
  };
  const double f = frequencyOf(d);
  const double menu1H = MenuOneCoil::shownUh(MenuOneCoil::inductanceUh(d.diameterMm, d.lengthM, f,
                                                                       d.loading.tipM())) /
                        1e6;
  const std::vector<int> counts =
      Segmentation::seriesCounts(DesignElement::placed(d, Segmentation::kFewestSegments), f);
  if (counts.empty()) throw std::invalid_argument("no segmentation models the element");
  SolverFigures::SolverResults r;
  Root root;
  double guessH = menu1H;
  for (const int segments : counts) {
    tell(Progress::Stage::segmentSeries, segments);
    root = resonate(solver, d, element(d, segments), guessH);
    if (!root.resonances.seriesH) {
      if (!r.segments.empty()) break;
      if (needsNoCoil(solver, root, element(d, segments))) {
        return {std::nullopt, element(d, segments), std::nullopt};
      }
      throw NoResonance();
    }
    guessH = *root.resonances.seriesH;
    r.segments.push_back(segments);
    r.resonatingInductanceUh.push_back(guessH * 1e6);
    if (static_cast<int>(r.segments.size()) >= kFewestCounts &&
        SegmentSeries::settled(r.resonatingInductanceUh)) {
      break;
    }
  }
  const int finest = r.segments.back();
  const Nec2::LoadedElement resonated = withCoil(element(d, finest), d, guessH, true);
  const auto sweepCount = std::min_element(r.segments.begin(), r.segments.end(), [](int a, int b) {
    return std::abs(a - kSweepSegments) < std::abs(b - kSweepSegments);
  });
  const int sweepSegments = *sweepCount;
  const double sweepH =
      r.resonatingInductanceUh[static_cast<size_t>(sweepCount - r.segments.begin())] / 1e6;
  tell(Progress::Stage::sweeps, sweepSegments);
  r.feedOhm = root.confirmed.feedImpedanceOhm;
  r.budgetEfficiencyPercent = root.confirmed.power.efficiency() * 100.0;
  r.feedLosslessOhm = losslessFeedOhm(solver, d, finest, guessH);
  r.fullSizeResistanceOhm = fullSizeResistanceOhm(solver, d, sweepSegments);
  r.menu1CoilResonanceMhz = menu1CoilResonanceMhz(solver, d, sweepSegments, finest, menu1H);
  addSweeps(solver, d, withCoil(element(d, sweepSegments), d, sweepH, true), r);
  const std::optional<Resonance::Bilinear> feedOfCoil = root.feed;
  if (d.dipole) tell(Progress::Stage::dipole, 2 * finest + 1);
  Nec2::LoadedElement written = d.dipole ? resonatedDipole(solver, d, finest, guessH) : resonated;
  r.runs = static_cast<int>(solver.runs());
  return {r, written, feedOfCoil};
}

}  // namespace SolverCheck
