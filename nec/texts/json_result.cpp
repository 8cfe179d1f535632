#include "nec/texts/json_result.hpp"

#include "nec/texts/json_members.hpp"
#include "nec/texts/warnings.hpp"

namespace JsonResult {
namespace {

using JsonMembers::Elements;
using JsonMembers::Members;
using JsonMembers::quoted;

std::string_view conductorName(Nec2::Conductor conductor) {
  switch (conductor) {
    case Nec2::Conductor::copper: return "copper";
    case Nec2::Conductor::aluminium: return "aluminium";
    case Nec2::Conductor::perfect: return "perfect";
  }
  return "";
}

std::string_view helixNotRunName(Results::HelixNotRun reason) {
  switch (reason) {
    case Results::HelixNotRun::lumpedAsked: return "lumpedAsked";
    case Results::HelixNotRun::modelDoesNotHold: return "modelDoesNotHold";
    case Results::HelixNotRun::tooLarge: return "tooLarge";
    case Results::HelixNotRun::beyondLimit: return "beyondLimit";
    case Results::HelixNotRun::beyondDevice: return "beyondDevice";
  }
  return "";
}

std::string inputsOf(const Checked::Design& d) {
  auto measure = [&](double CoilAsWound::Measures::*field) {
    return d.winding ? std::optional((*d.winding).*field) : std::nullopt;
  };
  Members inputs;
  inputs.add("frequencyMhz", std::optional(d.frequencyMhz));
  inputs.add("lengthM", std::optional(d.lengthM));
  inputs.add("diameterMm", std::optional(d.diameterMm));
  inputs.add("tipM", d.loading.tipM());
  inputs.add("q", std::optional(d.q));
  inputs.addText("conductor", conductorName(d.conductor));
  inputs.add("groundLossOhm", std::optional(d.groundLossOhm));
  inputs.add("dipole", d.dipole);
  inputs.add("coilRadiusMm", measure(&CoilAsWound::Measures::radiusMm));
  inputs.add("pitchMm", measure(&CoilAsWound::Measures::pitchMm));
  inputs.add("wireMm", measure(&CoilAsWound::Measures::wireMm));
  inputs.add("helix", d.coilModel == Checked::CoilModel::forcedAsWound);
  inputs.add("lumped", d.coilModel == Checked::CoilModel::lumped);
  return inputs.object();
}

std::string warningsOf(const std::vector<Warnings::Warning>& warnings) {
  Elements list;
  for (const Warnings::Warning warning : warnings) list.add(quoted(Warnings::code(warning)));
  return list.array();
}

std::string seriesOf(const std::vector<Results::Figures::SeriesPoint>& series) {
  Elements list;
  for (const Results::Figures::SeriesPoint& point : series) {
    Members member;
    member.add("segments", std::optional(point.segments));
    member.add("inductanceUh", std::optional(point.inductanceUh));
    list.add(member.object());
  }
  return list.array();
}

}  // namespace

std::string text(const Checked::Design& inputs, const Results::Figures& f,
                 std::string_view moreMembers) {
  Members all;
  all.add("inputs", inputsOf(inputs));
  all.add("menu1InductanceUh", f.menu1InductanceUh);
  all.add("necInductanceUh", f.necInductanceUh);
  all.add("necInductanceUncertaintyUh", f.necInductanceUncertaintyUh);
  all.add("necInductanceLowUh", f.necInductanceLowUh);
  all.add("necInductanceHighUh", f.necInductanceHighUh);
  all.add("segmentSeries", seriesOf(f.segmentSeries));
  all.add("differencePercent", f.differencePercent);
  all.add("menu1CoilResonanceMhz", f.menu1CoilResonanceMhz);
  all.add("feedResistanceLosslessOhm", f.feedResistanceLosslessOhm);
  all.add("feedResistanceOhm", f.feedResistanceOhm);
  all.add("swr50AtResonance", f.swr50AtResonance);
  all.add("efficiencyPercent", f.efficiencyPercent);
  all.add("efficiencyDb", f.efficiencyDb);
  all.add("menu4EfficiencyDb", f.menu4EfficiencyDb);
  all.add("radiationResistanceRatioDb", f.radiationResistanceRatioDb);
  all.add("bandwidthMatchedKhz", f.bandwidthMatchedKhz);
  all.add("bandwidthPredictedKhz", f.bandwidthPredictedKhz);
  all.add("bandwidth50OhmKhz", f.bandwidth50OhmKhz);
  all.add("qLossless", f.qLossless);
  all.add("q", f.q);
  all.add("chuLimitQ", f.chuLimitQ);
  all.add("segments", f.segments);
  all.add("nec2cRuns", f.nec2cRuns);
  all.add("warnings", warningsOf(f.warnings));
  all.add("turnsForInductanceUh", f.turnsForInductanceUh);
  all.add("turns", f.turns);
  all.add("coilLengthMm", f.coilLengthMm);
  all.add("selfResonanceMhz", f.selfResonanceMhz);
  all.add("turnsInductanceUh", f.turnsInductanceUh);
  all.add("helixTurns", f.helixTurns);
  all.add("helixTurnsInductanceUh", f.helixTurnsInductanceUh);
  all.add("helixTurnsFinerSegments", f.helixTurnsFinerSegments);
  all.add("helixEquivalentUh", f.helixEquivalentUh);
  all.add("helixResonanceMhzWithFormulaTurns", f.helixResonanceMhzWithFormulaTurns);
  all.add("helixSegmentsPerTurn", f.helixSegmentsPerTurn);
  all.add("helixQ", f.helixQ);
  all.add("helixEfficiencyPercent", f.helixEfficiencyPercent);
  all.add("helixNotRun",
          f.helixNotRun ? quoted(helixNotRunName(*f.helixNotRun)) : std::string("null"));
  const std::string object = all.object();
  return object.substr(0, object.size() - 1) + std::string(moreMembers) + "}\n";
}

}  // namespace JsonResult
