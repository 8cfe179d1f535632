#include "nec/helix_check.hpp"

#include <cmath>
#include <map>
#include <numbers>

#include "nec/coil_as_wound.hpp"
#include "nec/deck.hpp"
#include "nec/design_report.hpp"
#include "nec/helix_limits.hpp"
#include "nec/number_text.hpp"
#include "nec/root_search.hpp"
#include "nec/segmentation.hpp"
#include "nec/solver.hpp"
#include "nec/solver_figures.hpp"

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
// The resonance of menu 2's turns: to half a kilohertz.
constexpr double kNarrowestMhz = 0.0005;
constexpr double kFrequencyCloseEnoughOhm = 0.1;
constexpr int kMostFrequencyRuns = 10;
constexpr double kFrequencyRange = 0.5;  // either side of the design's, as a share of it

double omega(double frequencyMhz) { return 2.0 * std::numbers::pi * frequencyMhz * 1e6; }

CoilAsWound::Measures measuresOf(const DesignOptions::Options& o) {
  return {*o.coilRadiusMm, *o.pitchMm, *o.wireMm};
}

// The helix elements solved so far, by count per turn and segments, at the
// design's frequency.
class Helices {
 public:
  Helices(const DesignOptions::Options& o, const SolverCheck::Check& check) : o_(o) {
    base_ = check.resonated;
    base_.form = Nec2::LoadedElement::Form::monopoleOverPerfectGround;
    base_.segments = Segmentation::kFewestSegments;
  }

  Nec2::HelixElement element(int perTurn, int segments, double frequencyMhz) const {
    Nec2::HelixElement e{
        base_,
        {*o_.coilRadiusMm / 1000.0, *o_.pitchMm / 1000.0, *o_.wireMm / 1000.0, perTurn, segments}};
    e.element.sweep = Nec2::Sweep{frequencyMhz};
    return e;
  }

  // The most segments whose helix fits in the element.
  int mostSegments(int perTurn) const {
    int segments = perTurn;
    while (Nec2::fits(element(perTurn, segments + perTurn, *o_.frequencyMhz))) segments += perTurn;
    while (Nec2::fits(element(perTurn, segments + 1, *o_.frequencyMhz))) ++segments;
    return segments;
  }

  const Nec2::Solution& at(int perTurn, int segments) {
    const auto key = std::pair{perTurn, segments};
    auto found = solved_.find(key);
    if (found == solved_.end()) {
      const Nec2::Structure s = Nec2::structureOf(element(perTurn, segments, *o_.frequencyMhz));
      found = solved_.emplace(key, Nec2::solve(s).front()).first;
    }
    return found->second;
  }

  Nec2::Solution perfectAt(int perTurn, int segments) const {
    Nec2::HelixElement e = element(perTurn, segments, *o_.frequencyMhz);
    e.element.conductor = Nec2::Conductor::perfect;
    return Nec2::solve(Nec2::structureOf(e)).front();
  }

  double reactanceAt(int perTurn, double frequencyMhz, int segments) {
    if (frequencyMhz == *o_.frequencyMhz) return at(perTurn, segments).feedImpedanceOhm.imag();
    const Nec2::Structure s = Nec2::structureOf(element(perTurn, segments, frequencyMhz));
    return Nec2::feedImpedance(s).imag();
  }

 private:
  const DesignOptions::Options& o_;
  Nec2::LoadedElement base_;
  std::map<std::pair<int, int>, Nec2::Solution> solved_;
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

// Where the lumped coil's slope of reactance in frequency, from the sweep,
// puts the resonance of a helix whose reactance at the frequency is given.
double guessedResonanceMhz(const SolverCheck::Check& check, double frequencyMhz, double reactance) {
  const auto& sweep = check.results->sweep;
  const double slope = (sweep.back().reactanceOhm - sweep.front().reactanceOhm) /
                       (sweep.back().frequencyMhz - sweep.front().frequencyMhz);
  return frequencyMhz - reactance / slope;
}

std::optional<double> formulaTurnsResonanceMhz(Helices& helices, const SolverCheck::Check& check,
                                               const DesignOptions::Options& o, int segments) {
  const double f = *o.frequencyMhz;
  auto reactance = [&](double mhz) { return helices.reactanceAt(kSegmentsPerTurn, mhz, segments); };
  const RootSearch::Point start{f, reactance(f)};
  RootSearch::Limits limits{f * (1.0 - kFrequencyRange), f * (1.0 + kFrequencyRange)};
  limits.narrowest = kNarrowestMhz;
  limits.closeEnough = kFrequencyCloseEnoughOhm;
  limits.mostRuns = kMostFrequencyRuns;
  const auto crossing = RootSearch::findCrossing(
      reactance, start, guessedResonanceMhz(check, f, start.value), limits);
  if (!crossing) return std::nullopt;
  return std::abs(crossing->best.value) <= kFrequencyCloseEnoughOhm ? crossing->best.x
                                                                    : crossing->rootX();
}

}  // namespace

std::optional<WoundCoil> run(const DesignOptions::Options& o, const SolverCheck::Check& check,
                             double formulaTurns) {
  if (!check.results || !check.feedOfCoil || !check.resonated.coil) return std::nullopt;
  const double f = *o.frequencyMhz;
  Helices helices(o, check);
  const RootSearch::Limits limits = segmentLimits(helices, kSegmentsPerTurn);
  // Menu 2's turns for the lumped coil, as wound: a whole number of
  // segments, since the turns are tenths.
  const double formulaSegments = std::round(formulaTurns * kSegmentsPerTurn);
  if (formulaSegments < limits.lowest || formulaSegments > limits.highest) return std::nullopt;
  const int first = static_cast<int>(formulaSegments);
  // The second guess: menu 2's inductance for the turns, scaled as the
  // first helix's equivalent inductance is to menu 2's for its turns.
  const double firstUh =
      equivalentLoad(check, helices.at(kSegmentsPerTurn, first)).imag() / omega(f) * 1e6;
  const double scale = firstUh / CoilAsWound::inductanceUh(measuresOf(o), formulaTurns);
  const auto guessed =
      CoilAsWound::coilFor(check.resonated.coil->inductanceH * 1e6 / scale, measuresOf(o), f);
  const double guess = guessed ? guessed->turns * kSegmentsPerTurn : limits.highest;
  const auto crossing = resonatingSegments(helices, kSegmentsPerTurn, first, guess, limits);
  if (!crossing) return std::nullopt;
  const double turns = crossing->rootX() / kSegmentsPerTurn;

  // The same at the finer count, from the turns found and their slope.
  RootSearch::Limits finer = segmentLimits(helices, kFinerSegmentsPerTurn);
  finer.narrowest = kFinerNarrowestSegments;
  finer.closeEnough = kFinerCloseEnoughOhm;
  finer.mostRuns = kMostFinerRuns;
  const int finerFirst = static_cast<int>(std::round(turns * kFinerSegmentsPerTurn));
  const double slopePerTurn = (crossing->above.value - crossing->below.value) /
                              (crossing->above.x - crossing->below.x) * kSegmentsPerTurn;
  const double finerReactance =
      helices.at(kFinerSegmentsPerTurn, finerFirst).feedImpedanceOhm.imag();
  const double finerGuess = finerFirst - finerReactance / slopePerTurn * kFinerSegmentsPerTurn;
  const auto finerCrossing =
      resonatingSegments(helices, kFinerSegmentsPerTurn, finerFirst, finerGuess, finer);

  WoundCoil wound{};
  wound.turns = turns;
  wound.finerTurns = finerCrossing ? finerCrossing->rootX() / kFinerSegmentsPerTurn : std::nan("");
  wound.segments = static_cast<int>(crossing->best.x);
  wound.atResonance = helices.at(kSegmentsPerTurn, wound.segments);
  wound.equivalentUh = firstUh;
  const double resonantH = equivalentLoad(check, wound.atResonance).imag() / omega(f);
  if (o.conductor != Nec2::Conductor::perfect) {
    wound.q = helixQ(check, wound.atResonance, helices.perfectAt(kSegmentsPerTurn, wound.segments),
                     resonantH, f);
  }
  wound.formulaTurnsResonanceMhz = formulaTurnsResonanceMhz(helices, check, o, first);
  return wound;
}

void add(const std::optional<WoundCoil>& wound, const DesignOptions::Options& o,
         Results::Figures& f) {
  if (!wound) {
    f.warnings.push_back(DesignReport::kNoTurnsResonate);
    return;
  }
  const double turns = std::round(wound->turns * 10.0) / 10.0;
  f.helixTurns = turns;
  f.helixTurnsFinerSegments = wound->finerTurns;
  f.helixTurnsInductanceUh = CoilAsWound::inductanceUh(measuresOf(o), turns);
  f.helixEquivalentUh = wound->equivalentUh;
  f.helixResonanceMhzWithFormulaTurns = wound->formulaTurnsResonanceMhz;
  f.helixSegmentsPerTurn = kSegmentsPerTurn;
  f.helixQ = wound->q;
  f.helixEfficiencyPercent =
      SolverFigures::efficiencyWithGroundLoss(wound->atResonance.power.efficiency(),
                                              wound->atResonance.feedImpedanceOhm.real(), o) *
      100.0;
  if (!(std::abs(wound->finerTurns - wound->turns) < kSettledChange * wound->turns)) {
    f.warnings.push_back(DesignReport::kHelixNotSettled);
  }
}

Nec2::HelixElement elementOf(const SolverCheck::Check& check, const WoundCoil& wound,
                             const DesignOptions::Options& o) {
  Nec2::HelixElement e =
      Helices(o, check).element(kSegmentsPerTurn, wound.segments, *o.frequencyMhz);
  if (o.dipole) {
    e.element.form = Nec2::LoadedElement::Form::centreFedDipole;
  } else {
    e.element.groundLossOhm = o.groundLossOhm;
  }
  return e;
}

std::string deckOf(const SolverCheck::Check& check, const WoundCoil& wound,
                   const DesignOptions::Options& o) {
  const Nec2::HelixElement e = elementOf(check, wound, o);
  Nec2::Structure structure = Nec2::structureOf(e);
  using NumberText::shortest;
  structure.comment =
      "tanshuku-nec: " + shortest(*o.lengthM) + " m of " + shortest(*o.diameterMm) +
      " mm wire at " + shortest(*o.frequencyMhz) + " MHz, " +
      (o.dipole ? "each half of a centre-fed dipole" : "a whip over perfect ground") +
      ", the coil wound as a helix of " + shortest(e.helix.turns()) + " turns (" +
      std::to_string(kSegmentsPerTurn) + " segments a turn), radius " + shortest(*o.coilRadiusMm) +
      " mm to the wire's centre, pitch " + shortest(*o.pitchMm) + " mm, wire " +
      shortest(*o.wireMm) + " mm, resonated by NEC2; the straight wire runs on the coil's radius";
  return Nec2::deck(structure);
}

}  // namespace HelixCheck
