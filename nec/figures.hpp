// Every figure tanshuku-nec reports, by the names its JSON object gives
// them; empty where a figure is not computed (the solver's, until it runs)
// or does not exist (no SWR of 2 against 50 ohm, no coil measures).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Results {

struct Figures {
  std::optional<double> menu1InductanceUh;
  std::optional<double> necInductanceUh;
  std::optional<double> necInductanceUncertaintyUh;
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
  std::vector<std::string> warnings;
  // The coil as wound for this inductance: NEC2's once it has run,
  // menu 1's until then.
  std::optional<double> turnsForInductanceUh;
  std::optional<double> turns;
  std::optional<double> coilLengthMm;
  std::optional<double> selfResonanceMhz;
};

}  // namespace Results
