#include "nec/search/helix_check.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "nec/design/coil_as_wound.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/root_search.hpp"
#include "nec/search/segmentation.hpp"
#include "nec/search/solver_figures.hpp"

namespace HelixCheck {
namespace {

using HelixLimits::kFinerSegmentsPerTurn;
using HelixLimits::kSegmentsPerTurn;

// The turns are searched for segment by segment; a reactance this near 0
// is as near as the next segment would bring it.
constexpr double kCloseEnoughOhm = 0.3;
constexpr int kMostTurnRuns = 10;
// At the finer count the turns are wanted to a few segments only.
constexpr double kFinerNarrowestSegments = 3.0;
constexpr double kFinerCloseEnoughOhm = 1.0;
constexpr int kMostFinerRuns = 5;
// A step from the finer count's first run taken without a run to confirm
// it, as a share of the turns.
constexpr double kTrustedFinerStep = 0.02;
// The resonance of menu 2's turns: to half a kilohertz.
constexpr double kNarrowestMhz = 0.0005;
constexpr int kMostFrequencyRuns = 10;
constexpr double kFrequencyRange = 0.5;  // either side of the design's, as a share of it

double omega(double frequencyMhz) { return 2.0 * std::numbers::pi * frequencyMhz * 1e6; }

// The helix elements solved so far, by count per turn, segments and
// frequency. A run may be started ahead, to go on beside the runs that
// follow (nec2c uses one core); asking for it then waits for it.
// The monopole with a helix of the coil's measures, of the given count per
// turn and segments in all, at the frequency.
Nec2::HelixElement helixElement(const Checked::Design& d, const SolverCheck::Check& check,
                                int perTurn, int segments, double frequencyMhz) {
  Nec2::LoadedElement base = check.resonated;
  base.form = Nec2::LoadedElement::Form::monopoleOverPerfectGround;
  base.segments = Segmentation::kFewestSegments;
  base.sweep = Nec2::Sweep{frequencyMhz};
  return {base,
          {d.winding->radiusMm / 1000.0, d.winding->pitchMm / 1000.0, d.winding->wireMm / 1000.0,
           perTurn, segments}};
}

class Helices {
 public:
  Helices(const Checked::Design& d, const SolverCheck::Check& check, Nec2::StructureSolver& solver,
          const Progress::Report& report)
      : d_(d), check_(check), solver_(solver), report_(report) {}

  Nec2::HelixElement element(int perTurn, int segments, double frequencyMhz) const {
    return helixElement(d_, check_, perTurn, segments, frequencyMhz);
  }

  // The most segments whose helix fits in the element, the hard limit at
  // most (in its count per turn).
  int mostSegments(int perTurn) const {
    const int limit = HelixLimits::kMostSegments / HelixLimits::kSegmentsPerTurn * perTurn;
    auto fits = [&](int segments) {
      return segments <= limit && Nec2::fits(element(perTurn, segments, d_.frequencyMhz));
    };
    int segments = perTurn;
    while (fits(segments + perTurn)) segments += perTurn;
    while (fits(segments + 1)) ++segments;
    return segments;
  }

  void start(int perTurn, int segments, double frequencyMhz, bool perfect = false) {
    const Key key{perTurn, segments, frequencyMhz, perfect};
    if (solved_.contains(key) || started_.contains(key)) return;
    const Nec2::Structure s = structureOf(key);
    int all = 0;
    for (const Nec2::Wire& w : s.wires) all += w.segments;
    started_.emplace(
        key, solver_.start(s, std::max(Nec2::kDefaultTimeLimit, HelixLimits::timeLimitFor(all))));
  }

  const Nec2::Solution& at(int perTurn, int segments) {
    return solution({perTurn, segments, d_.frequencyMhz, false});
  }

  const Nec2::Solution& perfectAt(int perTurn, int segments) {
    return solution({perTurn, segments, d_.frequencyMhz, true});
  }

  double reactanceAt(int perTurn, double frequencyMhz, int segments) {
    return solution({perTurn, segments, frequencyMhz, false}).feedImpedanceOhm.imag();
  }

 private:
  using Key = std::tuple<int, int, double, bool>;  // per turn, segments, MHz, perfect wire

  Nec2::Structure structureOf(const Key& key) const {
    const auto& [perTurn, segments, frequencyMhz, perfect] = key;
    Nec2::HelixElement e = element(perTurn, segments, frequencyMhz);
    if (perfect) e.element.conductor = Nec2::Conductor::perfect;
    return Nec2::structureOf(e);
  }

  const Nec2::Solution& solution(const Key& key) {
    if (const auto found = solved_.find(key); found != solved_.end()) return found->second;
    auto started = started_.find(key);
    if (started == started_.end())
      start(std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key));
    started = started_.find(key);
    if (report_) report_({Progress::Stage::helix, std::get<1>(key), solver_.runs()});
    Nec2::Solution s = started->second->solutions().front();
    started_.erase(started);
    return solved_.emplace(key, s).first->second;
  }

  const Checked::Design& d_;
  const SolverCheck::Check& check_;
  Nec2::StructureSolver& solver_;
  const Progress::Report& report_;
  std::map<Key, Nec2::Solution> solved_;
  std::map<Key, std::unique_ptr<Nec2::StructureSolver::Run>> started_;
};

// The turns that resonate at a count per turn, searched from a first count
// and a guess.
std::optional<RootSearch::Crossing> resonatingSegments(Helices& helices, int perTurn, int first,
                                                       double guess,
                                                       const RootSearch::Limits& limits) {
  auto reactance = [&](double segments) {
    return helices.at(perTurn, static_cast<int>(segments)).feedImpedanceOhm.imag();
  };
  const RootSearch::Point start{static_cast<double>(first), reactance(first)};
  return RootSearch::findCrossing(reactance, start, guess, limits);
}

RootSearch::Limits segmentLimits(const Helices& helices, int perTurn) {
  RootSearch::Limits limits{static_cast<double>(perTurn),
                            static_cast<double>(helices.mostSegments(perTurn))};
  limits.quantum = 1.0;
  limits.narrowest = 1.0;
  limits.closeEnough = kCloseEnoughOhm;
  limits.mostRuns = kMostTurnRuns;
  return limits;
}

// The helix's series impedance as the lumped coil it stands for.
std::complex<double> equivalentLoad(const SolverCheck::Check& check, const Nec2::Solution& s) {
  return check.feedOfCoil->loadFor(s.feedImpedanceOhm);
}

// The Q of the helix at resonance from its wire's loss alone: the feed
// resistance that the metal adds to the helix model (with the wire's
// conductivity less without), less what it adds to the straight wire of
// the lumped model with a lossless coil of the same inductance, is the
// helix's loss seen at the feed; seen at the coil it is larger by the
// feed's sensitivity to the coil's impedance, dZ/dZ_L = (I_coil ÷ I_feed)².
std::optional<double> helixQ(const SolverCheck::Check& check, const Nec2::Solution& copper,
                             const Nec2::Solution& perfect, double inductanceH, double f) {
  const Resonance::Bilinear& feed = *check.feedOfCoil;
  const std::complex<double> coil{0.0, omega(f) * inductanceH};
  const double straightLossOhm = feed(coil).real() - check.results->feedLosslessOhm.real();
  const double helixLossAtFeedOhm =
      copper.feedImpedanceOhm.real() - perfect.feedImpedanceOhm.real() - straightLossOhm;
  const std::complex<double> denominator = feed.c * coil + 1.0;
  const double sensitivity = std::abs((feed.a - feed.b * feed.c) / (denominator * denominator));
  const double helixLossOhm = helixLossAtFeedOhm / sensitivity;
  if (!(helixLossOhm > 0.0)) return std::nullopt;
  return coil.imag() / helixLossOhm;
}

// The lumped coil's slope of reactance in frequency, from the sweep.
double sweepSlopeOhmPerMhz(const SolverCheck::Check& check) {
  const auto& sweep = check.results->sweep;
  return (sweep.back().reactanceOhm - sweep.front().reactanceOhm) /
         (sweep.back().frequencyMhz - sweep.front().frequencyMhz);
}

// Where that slope puts the resonance of a helix whose reactance at the
// frequency is given.
double guessedResonanceMhz(const SolverCheck::Check& check, double frequencyMhz, double reactance) {
  return frequencyMhz - reactance / sweepSlopeOhmPerMhz(check);
}

// A reactance within the slope's half kilohertz of 0 ends the search.
RootSearch::Limits frequencyLimits(const SolverCheck::Check& check, double f) {
  RootSearch::Limits limits{f * (1.0 - kFrequencyRange), f * (1.0 + kFrequencyRange)};
  limits.narrowest = kNarrowestMhz;
  limits.closeEnough = std::abs(sweepSlopeOhmPerMhz(check)) * kNarrowestMhz;
  limits.mostRuns = kMostFrequencyRuns;
  return limits;
}

// Where menu 2's turns resonate, searched from the design's frequency and a
// first guess (whose run may have been started already).
std::optional<double> formulaTurnsResonanceMhz(Helices& helices, const RootSearch::Limits& limits,
                                               double f, double guessMhz, int segments) {
  auto reactance = [&](double mhz) { return helices.reactanceAt(kSegmentsPerTurn, mhz, segments); };
  const RootSearch::Point start{f, reactance(f)};
  const auto crossing = RootSearch::findCrossing(reactance, start, guessMhz, limits);
  if (!crossing) return std::nullopt;
  return crossing->rootX();
}

// The turns that resonate at the finer count, from its run at the turns
// guessed and the slope of the reactance in turns at the coarser count: the
// reactance is nearly straight in the turns there, and the two counts'
// slopes differ by a few per cent at most, so a step of up to
// kTrustedFinerStep of the turns is taken as it is; a longer one is
// confirmed by a run where it lands and a search from there.
std::optional<double> finerTurns(Helices& helices, int first, double slopePerTurn) {
  const double reactance = helices.at(kFinerSegmentsPerTurn, first).feedImpedanceOhm.imag();
  const double firstTurns = static_cast<double>(first) / kFinerSegmentsPerTurn;
  const double stepTurns = -reactance / slopePerTurn;
  if (std::abs(stepTurns) <= kTrustedFinerStep * firstTurns) return firstTurns + stepTurns;
  RootSearch::Limits limits = segmentLimits(helices, kFinerSegmentsPerTurn);
  limits.narrowest = kFinerNarrowestSegments;
  limits.closeEnough = kFinerCloseEnoughOhm;
  limits.mostRuns = kMostFinerRuns;
  const double guess = first + stepTurns * kFinerSegmentsPerTurn;
  const auto crossing = resonatingSegments(helices, kFinerSegmentsPerTurn, first, guess, limits);
  if (!crossing) return std::nullopt;
  return crossing->rootX() / kFinerSegmentsPerTurn;
}

}  // namespace

double reportedTurns(const WoundCoil& wound) {
  const double finest = std::isfinite(wound.finerTurns) ? wound.finerTurns : wound.turns;
  return std::round(finest * 10.0) / 10.0;
}

std::optional<Results::HelixNotRun> leftOut(const Checked::Design& d, double formulaTurns,
                                            int mostSegments) {
  using Results::HelixNotRun;
  if (d.coilModel == Checked::CoilModel::lumped) return HelixNotRun::lumpedAsked;
  const bool forced = d.coilModel == Checked::CoilModel::forcedAsWound;
  const HelixLimits::Helix helix{d.winding->radiusMm, d.winding->pitchMm, d.winding->wireMm,
                                 d.diameterMm};
  if (!forced && !HelixLimits::holds(helix)) return HelixNotRun::modelDoesNotHold;
  switch (HelixLimits::sizeOf(formulaTurns)) {
    case HelixLimits::Size::withinDefault: break;
    case HelixLimits::Size::beyondDefault:
      if (!forced) return HelixNotRun::tooLarge;
      break;
    case HelixLimits::Size::beyondLimit: return HelixNotRun::beyondLimit;
  }
  if (HelixLimits::segmentsFor(formulaTurns) > mostSegments) return HelixNotRun::beyondDevice;
  return std::nullopt;
}

std::optional<WoundCoil> run(const Checked::Design& d, const SolverCheck::Check& check,
                             double formulaTurns, Nec2::StructureSolver& solver,
                             const Progress::Report& report) {
  if (!check.results || !check.feedOfCoil || !check.resonated.coil) return std::nullopt;
  const double f = d.frequencyMhz;
  Helices helices(d, check, solver, report);
  const RootSearch::Limits limits = segmentLimits(helices, kSegmentsPerTurn);
  // Menu 2's turns for the lumped coil, as wound: a whole number of
  // segments, since the turns are tenths.
  const double formulaSegments = std::round(formulaTurns * kSegmentsPerTurn);
  if (formulaSegments < limits.lowest || formulaSegments > limits.highest) return std::nullopt;
  const int first = static_cast<int>(formulaSegments);
  const Nec2::Solution atFormula = helices.at(kSegmentsPerTurn, first);
  // The guess: menu 2's inductance for the turns, scaled as the first
  // helix's equivalent inductance is to menu 2's for its turns.
  const double firstUh = equivalentLoad(check, atFormula).imag() / omega(f) * 1e6;
  const double scale = firstUh / CoilAsWound::inductanceUh(*d.winding, formulaTurns);
  const auto guessed =
      CoilAsWound::coilFor(check.resonated.coil->inductanceH * 1e6 / scale, *d.winding, f);
  const double guess = guessed ? guessed->turns * kSegmentsPerTurn : limits.highest;
  // The finer count's run at the guess goes on beside the other runs: it
  // takes several times as long as one at the coarser count. One run at a
  // time beside it: more at once slow each other down (their matrices
  // share the processor's cache) more than they gain.
  const int finerFirst =
      std::clamp(static_cast<int>(std::lround(guess / kSegmentsPerTurn * kFinerSegmentsPerTurn)),
                 kFinerSegmentsPerTurn, helices.mostSegments(kFinerSegmentsPerTurn));
  helices.start(kFinerSegmentsPerTurn, finerFirst, f);
  const RootSearch::Limits mhzLimits = frequencyLimits(check, f);
  const double guessMhz =
      std::clamp(guessedResonanceMhz(check, f, atFormula.feedImpedanceOhm.imag()), mhzLimits.lowest,
                 mhzLimits.highest);

  const auto crossing = resonatingSegments(helices, kSegmentsPerTurn, first, guess, limits);
  if (!crossing) return std::nullopt;
  WoundCoil wound{};
  wound.turns = crossing->rootX() / kSegmentsPerTurn;
  wound.segments = static_cast<int>(crossing->best.x);
  const bool lossy = d.conductor != Nec2::Conductor::perfect;
  wound.formulaTurnsResonanceMhz = formulaTurnsResonanceMhz(helices, mhzLimits, f, guessMhz, first);
  wound.atResonance = helices.at(kSegmentsPerTurn, wound.segments);
  wound.equivalentUh = firstUh;
  const double resonantH = equivalentLoad(check, wound.atResonance).imag() / omega(f);
  if (lossy) {
    wound.q = helixQ(check, wound.atResonance, helices.perfectAt(kSegmentsPerTurn, wound.segments),
                     resonantH, f);
  }
  const double slopePerTurn = (crossing->above.value - crossing->below.value) /
                              (crossing->above.x - crossing->below.x) * kSegmentsPerTurn;
  wound.finerTurns = finerTurns(helices, finerFirst, slopePerTurn).value_or(std::nan(""));
  return wound;
}

void add(const std::optional<WoundCoil>& wound, const Checked::Design& d, Results::Figures& f) {
  if (!wound) {
    f.warnings.push_back(Results::Warning::noTurnsResonate);
    return;
  }
  const double turns = reportedTurns(*wound);
  f.helixTurns = turns;
  f.helixTurnsFinerSegments = wound->finerTurns;
  f.helixTurnsInductanceUh = CoilAsWound::inductanceUh(*d.winding, turns);
  f.helixEquivalentUh = wound->equivalentUh;
  f.helixResonanceMhzWithFormulaTurns = wound->formulaTurnsResonanceMhz;
  f.helixSegmentsPerTurn = kSegmentsPerTurn;
  f.helixQ = wound->q;
  f.helixEfficiencyPercent =
      SolverFigures::efficiencyWithGroundLoss(wound->atResonance.power.efficiency(),
                                              wound->atResonance.feedImpedanceOhm.real(), d) *
      100.0;
  if (!(std::abs(wound->finerTurns - wound->turns) < kSettledChange * wound->turns)) {
    f.warnings.push_back(Results::Warning::helixNotSettled);
  }
}

Nec2::HelixElement elementOf(const SolverCheck::Check& check, const WoundCoil& wound,
                             const Checked::Design& d) {
  Nec2::HelixElement e = helixElement(d, check, kSegmentsPerTurn, wound.segments, d.frequencyMhz);
  if (d.dipole) {
    e.element.form = Nec2::LoadedElement::Form::centreFedDipole;
  } else {
    e.element.groundLossOhm = d.groundLossOhm;
  }
  return e;
}

}  // namespace HelixCheck
