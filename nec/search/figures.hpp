// Every figure tanshuku-nec reports, by the names its JSON object gives
// them; empty where a figure is not computed (the solver's, until it runs)
// or does not exist (no SWR of 2 against 50 ohm, no coil measures).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Results {

// What the checks warn of; nec/texts/warnings.hpp gives each its code and words.
enum class Warning {
  selfResonanceLow,    // the coil as wound is no plain inductance
  nearOwnResonance,    // the element is near a quarter wave
  extendedKernel,      // segments short against the wire's radius
  shortSegments,       // segments under the guide's advised length
  coilTooLarge,        // no coil of the measures reaches the inductance
  helixNotSettled,     // the helix's turns change at the finer count
  noTurnsResonate,     // no helix that fits resonates the element
  segmentsNotSettled,  // NEC2's coil not settled to 1 %: a range
  bandwidthsDisagree,  // the sweep's and the slope's bandwidths differ
  losslessQBelowChu,   // a Q below what physics allows
};

// Why the coil's measures were given and the helix check was not run.
enum class HelixNotRun {
  lumpedAsked,       // --lumped
  modelDoesNotHold,  // turns too close or segments too short for NEC2's helix
  tooLarge,          // beyond the size run by default
  beyondLimit,       // beyond the size run at all
  beyondDevice,      // beyond the cap of the device that runs the check (the page's)
};

struct Figures {
  std::optional<double> menu1InductanceUh;
  std::optional<double> necInductanceUh;
  std::optional<double> necInductanceUncertaintyUh;  // half the range's width
  // The range that holds where the segment series goes; symmetric about
  // NEC2's coil where the series' tail was summed, else reaching further
  // the way the series goes from its finest count's coil.
  std::optional<double> necInductanceLowUh;
  std::optional<double> necInductanceHighUh;
  bool necInductanceExtrapolated = false;
  struct SeriesPoint {
    int segments;
    double inductanceUh;
  };
  std::vector<SeriesPoint> segmentSeries;  // the resonating coil at each count used
  std::optional<double> differencePercent;
  std::optional<double> menu1CoilResonanceMhz;
  std::optional<double> feedResistanceLosslessOhm;
  std::optional<double> feedResistanceOhm;
  std::optional<double> swr50AtResonance;
  std::optional<double> efficiencyPercent;
  std::optional<double> efficiencyDb;
  std::optional<double> menu4EfficiencyDb;
  std::optional<double> radiationResistanceRatioDb;
  std::optional<double> bandwidthMatchedKhz;
  std::optional<double> bandwidthPredictedKhz;
  std::optional<double> bandwidth50OhmKhz;
  std::optional<double> qLossless;
  std::optional<double> q;
  std::optional<double> chuLimitQ;
  std::optional<int> segments;
  std::optional<int> nec2cRuns;
  std::vector<Warning> warnings;
  // The coil as wound for this inductance: NEC2's once it has run,
  // menu 1's until then.
  std::optional<double> turnsForInductanceUh;
  std::optional<double> turns;
  std::optional<double> coilLengthMm;
  std::optional<double> selfResonanceMhz;
  std::optional<double> turnsInductanceUh;  // menu 2's for those turns
  // Menu 2's turns for either end of the range of NEC2's coil, where it
  // is not settled.
  std::optional<double> turnsLow;
  std::optional<double> turnsHigh;
  // The coil modelled as wound, a helix: the turns that resonate (to 0.1)
  // and menu 2's inductance for them, the same turns at the finer count
  // per turn, the lumped coil the helix stands for, where menu 2's turns
  // resonate, and the loss of the helix's wire alone.
  std::optional<double> helixTurns;
  std::optional<double> helixTurnsInductanceUh;
  std::optional<double> helixTurnsFinerSegments;
  std::optional<double> helixEquivalentUh;
  std::optional<double> helixResonanceMhzWithFormulaTurns;
  std::optional<int> helixSegmentsPerTurn;
  std::optional<double> helixQ;
  std::optional<double> helixEfficiencyPercent;
  std::optional<HelixNotRun> helixNotRun;
  std::optional<int> helixSegmentsNeeded;      // at the count per turn, where too large
  std::optional<int> helixDeviceMostSegments;  // the device's cap, where it left the helix out
};

}  // namespace Results
