#include "nec/search/trim.hpp"

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "nec/design/coil_as_wound.hpp"
#include "nec/design/design_element.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/resonance.hpp"
#include "nec/search/solver_check.hpp"

namespace Trim {
namespace {

// The model's slope in the length above the coil: a centimetre longer.
constexpr double kCentimetreM = 0.01;
// The searches end within a fifth of a millimetre's reactance for the
// length, and within the check's own confirmation of its coil for the coil.
constexpr double kNarrowestLengthM = 0.0002;
constexpr double kCloseEnoughOhm = 0.05;
constexpr int kMostSecantRuns = 6;
// The length is searched within half the wire above the coil either way.
constexpr double kLengthRangeShare = 0.5;
// The turns' slope in menu 2's inductance: a tenth of a turn either side.
constexpr double kTurnsStep = 0.1;

using Complex = std::complex<double>;

double roundedTo(double value, double step) { return std::round(value / step) * step; }

// No coil resonates the model where a search took it: no advice of that kind.
struct NoCoilResonates : std::runtime_error {
  NoCoilResonates() : std::runtime_error("no coil resonates the model there") {}
};

// The wire above the coil: the tip's distance for a coil below the tip, the
// whole element for a coil at the base.
double topM(const Checked::Design& d) { return d.loading.tipM().value_or(d.lengthM); }

Checked::Design withTopLonger(Checked::Design d, double longerM) {
  d.lengthM += longerM;
  if (const std::optional<double> tipM = d.loading.tipM()) {
    d.loading = Checked::Loading::belowTip(*tipM + longerM);
  }
  return d;
}

Checked::Design atFrequency(Checked::Design d, double frequencyMhz) {
  d.frequencyMhz = frequencyMhz;
  return d;
}

// How the feed's reactance at resonance moves with the coil, the frequency
// and the length above the coil; the resonance stays where their moves
// cancel.
struct Slopes {
  double ohmPerUh;
  double ohmPerMhz;
  double ohmPerM;
  double uhPerMhz() const { return -ohmPerMhz / ohmPerUh; }
  double khzPerM() const { return -ohmPerM / ohmPerMhz * 1000.0; }
};

// The slope in the coil from the check's feed as a function of the coil:
// dZ/dL = (a − bc) ÷ (c Z_L + 1)² · Z_L ÷ L, Z_L being ωL ÷ Q + jωL.
double ohmPerUh(const Resonance::Bilinear& feed, const Checked::Design& d, double inductanceUh) {
  const Complex load = Resonance::Coil{d.frequencyMhz, d.q}.impedanceOhm(inductanceUh / 1e6);
  const Complex denominator = feed.c * load + 1.0;
  return ((feed.a - feed.b * feed.c) / (denominator * denominator) * load / inductanceUh).imag();
}

// The slope in the frequency from the check's sweep: between its points
// either side of the design's frequency.
double ohmPerMhz(const std::vector<Bandwidth::Point>& sweep, double frequencyMhz) {
  const auto above = std::upper_bound(
      sweep.begin() + 1, sweep.end() - 1, frequencyMhz,
      [](double mhz, const Bandwidth::Point& point) { return mhz < point.frequencyMhz; });
  const Bandwidth::Point& below = *(above - 1);
  return (above->reactanceOhm - below.reactanceOhm) / (above->frequencyMhz - below.frequencyMhz);
}

// Where a value that costs a run, rising nearly straight in x, reaches 0:
// secant steps from a first x, the first step with a slope known nearly,
// each kept within the range.
struct Range {
  double lowest;
  double highest;
};
double secantRoot(const std::function<double(double)>& value, double firstX, double slope,
                  double closeEnough, Range range) {
  double previousX = firstX;
  double previousValue = value(previousX);
  if (std::abs(previousValue) <= closeEnough) return previousX;
  double x = std::clamp(firstX - previousValue / slope, range.lowest, range.highest);
  for (int run = 1; run < kMostSecantRuns; ++run) {
    const double reached = value(x);
    if (std::abs(reached) <= closeEnough) return x;
    if (reached == previousValue) break;
    const double next = std::clamp(x - reached * (x - previousX) / (reached - previousValue),
                                   range.lowest, range.highest);
    previousX = std::exchange(x, next);
    previousValue = reached;
  }
  throw NoCoilResonates();
}

// The design's model at the check's finest segmentation, with the check's
// lossy coil. Each solution is kept: the searches come back to some.
class Model {
 public:
  Model(const Checked::Design& design, int segments, Nec2::StructureSolver& solver)
      : design_(design), segments_(segments), solver_(solver) {}

  // The coil that resonates the element at a frequency, from a guess near
  // it: the reactance rises with the coil, nearly straight there; secant
  // steps from the guess, the first with the check's slope.
  double resonatingUh(double frequencyMhz, double guessUh, double ohmPerUh) {
    return secantRoot([&](double uh) { return reactanceOhm(frequencyMhz, uh, 0.0); }, guessUh,
                      ohmPerUh, kCloseEnoughOhm, {guessUh / 4.0, guessUh * 4.0});
  }

  // Begins the run for a reactance asked for later, to go on beside the
  // runs before it (nec2c takes one core).
  void start(double frequencyMhz, double coilUh, double longerM) {
    const Key key{frequencyMhz, coilUh, longerM};
    if (reactances_.contains(key) || started_.contains(key)) return;
    started_.emplace(key, solver_.start(structureOf(key), Nec2::kDefaultTimeLimit));
  }

  // The feed's reactance with a coil, the wire above it longer by a length.
  double reactanceOhm(double frequencyMhz, double coilUh, double longerM) {
    const Key key{frequencyMhz, coilUh, longerM};
    if (const auto kept = reactances_.find(key); kept != reactances_.end()) return kept->second;
    start(frequencyMhz, coilUh, longerM);
    const auto started = started_.find(key);
    const double reactance = started->second->solutions().front().feedImpedanceOhm.imag();
    started_.erase(started);
    reactances_.emplace(key, reactance);
    return reactance;
  }

  double radiationResistanceOhm(double frequencyMhz, double inductanceUh, double longerM) {
    const Checked::Design changed = atFrequency(withTopLonger(design_, longerM), frequencyMhz);
    return SolverCheck::losslessFeedOhm(solver_, changed, segments_, inductanceUh / 1e6).real();
  }

  // How much longer the wire above the coil must be for the coil to
  // resonate the element at the frequency: the reactance rises with the
  // length through resonance, nearly straight.
  double longerFor(double frequencyMhz, double coilUh, double ohmPerM) {
    const double rangeM = kLengthRangeShare * topM(design_);
    return secantRoot([&](double longerM) { return reactanceOhm(frequencyMhz, coilUh, longerM); },
                      0.0, ohmPerM, std::abs(ohmPerM) * kNarrowestLengthM, {-rangeM, rangeM});
  }

  // The check's own run with its coil gave the reactance unchanged.
  // The first run of the search that follows is begun beside the slopes'.
  struct Reactance {
    double frequencyMhz;
    double coilUh;
  };
  Slopes slopes(const SolverCheck::Check& check, double designUh, Reactance next) {
    const double f = design_.frequencyMhz;
    const double unchanged = check.results->feedOhm.imag();
    reactances_.emplace(Key{f, designUh, 0.0}, unchanged);
    start(f, designUh, kCentimetreM);
    start(next.frequencyMhz, next.coilUh, 0.0);
    const double longer = reactanceOhm(f, designUh, kCentimetreM);
    return {ohmPerUh(*check.feedOfCoil, design_, designUh), ohmPerMhz(check.results->sweep, f),
            (longer - unchanged) / kCentimetreM};
  }

 private:
  using Key = std::tuple<double, double, double>;  // MHz, coil, longer

  Nec2::Structure structureOf(const Key& key) const {
    const auto& [frequencyMhz, coilUh, longerM] = key;
    const Checked::Design changed = atFrequency(withTopLonger(design_, longerM), frequencyMhz);
    return Nec2::structureOf(
        DesignElement::withCoil(DesignElement::bare(changed, segments_), changed, coilUh / 1e6));
  }

  const Checked::Design& design_;
  int segments_;
  Nec2::StructureSolver& solver_;
  std::map<Key, double> reactances_;
  std::map<Key, std::unique_ptr<Nec2::StructureSolver::Run>> started_;
};

// The turns, not rounded, whose coil has menu 2's inductance.
double turnsFor(const CoilAsWound::Measures& measures, double inductanceUh) {
  double low = 0.0;
  double high = CoilAsWound::kMostTurns;
  for (int step = 0; step < 64; ++step) {
    const double middle = (low + high) / 2.0;
    (CoilAsWound::inductanceUh(measures, middle) < inductanceUh ? low : high) = middle;
  }
  return (low + high) / 2.0;
}

double uhPerTurn(const CoilAsWound::Measures& measures, double turns) {
  return (CoilAsWound::inductanceUh(measures, turns + kTurnsStep) -
          CoilAsWound::inductanceUh(measures, turns - kTurnsStep)) /
         (2.0 * kTurnsStep);
}

// The turns to add to bring the coil to the design's: the coil as built
// acts as menu 2's inductance for its turns scaled by one factor (its
// measures' error, the helix against the formula), which the measurement
// gives and the change keeps.
void adviseTurns(const CoilAsWound::Measures& measures, double asBuiltUh, double uhPerMhz,
                 Advice& advice) {
  const double wound = *advice.turnsWound;
  const double scale = asBuiltUh / CoilAsWound::inductanceUh(measures, wound);
  const double needed = turnsFor(measures, advice.designInductanceUh / scale);
  advice.turnsChange = roundedTo(needed - wound, 0.1);
  advice.coilLengthChangeMm = *advice.turnsChange * measures.pitchMm;
  advice.khzPerTurn = scale * uhPerTurn(measures, needed) / uhPerMhz * 1000.0;
}

// What the measured resistance leaves beside the model's radiation
// resistance: the loss in the ground, the coil and the connections.
void addLoss(double radiationOhm, double measuredOhm, Advice& advice) {
  advice.radiationResistanceOhm = radiationOhm;
  advice.lossResistanceOhm = measuredOhm - radiationOhm;
  if (*advice.lossResistanceOhm >= 0.0)
    advice.efficiencyPercent = radiationOhm / measuredOhm * 100.0;
}

}  // namespace

std::optional<double> checkedTurns(const Results::Figures& figures) {
  return figures.helixTurns ? figures.helixTurns : figures.turns;
}

Advice advise(const Checked::Design& design, const WholeCheck::Outcome& checked, const Asked& asked,
              Nec2::StructureSolver& solver) {
  const SolverFigures::SolverResults& results = checked.check.results.value();
  const double f = design.frequencyMhz;
  const double measuredMhz = asked.measured.resonanceMhz;
  Advice advice;
  advice.designInductanceUh = results.resonatingInductanceUh.back();
  const double designUh = advice.designInductanceUh;
  const std::optional<double> checkTurns = checkedTurns(checked.figures);
  if (design.winding) advice.turnsWound = asked.turnsWound ? asked.turnsWound : checkTurns;
  advice.farFromDesign = std::abs(measuredMhz - f) > kFarShare * f;
  const bool coilChanged = advice.farFromDesign || asked.change == Change::turns;
  // The coil that resonates at the measured frequency, guessed from the
  // check's slopes; or, where the length changed, the coil as built, as
  // the model has it for its turns: the design's, scaled by menu 2's
  // inductance for the turns wound against the check's.
  const double ohmPerCoilUh = ohmPerUh(*checked.check.feedOfCoil, design, designUh);
  const double uhPerMhz = -ohmPerMhz(results.sweep, f) / ohmPerCoilUh;
  double coilUh = designUh;
  if (coilChanged) {
    coilUh = std::max(designUh + (measuredMhz - f) * uhPerMhz, designUh / 2.0);
  } else if (design.winding && checkTurns) {
    coilUh *= CoilAsWound::inductanceUh(*design.winding, *advice.turnsWound) /
              CoilAsWound::inductanceUh(*design.winding, *checkTurns);
  }
  Model model(design, results.segments.back(), solver);
  const Slopes slopes =
      model.slopes(checked.check, designUh, Model::Reactance{measuredMhz, coilUh});
  try {
    if (coilChanged) {
      coilUh = model.resonatingUh(measuredMhz, coilUh, slopes.ohmPerUh);
      advice.asBuiltInductanceUh = coilUh;
    }
    if (advice.farFromDesign) return advice;
    advice.khzPerCm = slopes.khzPerM() * kCentimetreM;
    double asBuiltLongerM = 0.0;
    if (asked.change == Change::turns) {
      adviseTurns(*design.winding, coilUh, slopes.uhPerMhz(), advice);
    } else {
      if (design.winding && checkTurns) {
        const double scale = designUh / CoilAsWound::inductanceUh(*design.winding, *checkTurns);
        advice.khzPerTurn =
            scale * uhPerTurn(*design.winding, *advice.turnsWound) / slopes.uhPerMhz() * 1000.0;
      }
      asBuiltLongerM = model.longerFor(measuredMhz, coilUh, slopes.ohmPerM);
      advice.asBuiltTopLongerM = asBuiltLongerM;
      const double neededLongerM = model.longerFor(f, coilUh, slopes.ohmPerM);
      advice.topLengthChangeM = roundedTo(neededLongerM - asBuiltLongerM, 0.001);
    }
    if (asked.measured.resistanceOhm && !design.dipole) {
      addLoss(model.radiationResistanceOhm(measuredMhz, coilUh, asBuiltLongerM),
              *asked.measured.resistanceOhm, advice);
    }
  } catch (const NoCoilResonates&) {
  }
  return advice;
}

}  // namespace Trim
