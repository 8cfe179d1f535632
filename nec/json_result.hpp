// The results as one JSON object: the inputs, then every figure by the
// name scripts read it by, null where it is absent (not computed, or the
// SWR never reaches 2).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nec/design_options.hpp"

namespace JsonResult {

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
  std::optional<double> turns;
  std::optional<double> coilLengthMm;
  std::optional<double> selfResonanceMhz;
};

// The object, on one line with its LF. The options must hold a complete
// design.
std::string text(const DesignOptions::Options& inputs, const Figures& figures);

}  // namespace JsonResult
