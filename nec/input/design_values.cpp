#include "nec/input/design_values.hpp"

#include <cmath>
#include <limits>

#include "arithmetic/maths.hpp"
#include "arithmetic/stored.hpp"
#include "calculators/loading_coil/loading_coil_formulas.hpp"
#include "console/number_syntax.hpp"
#include "nec/design/design_element.hpp"
#include "nec/design/model_range.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/segmentation.hpp"
#include "nec/texts/number_text.hpp"

namespace DesignValues {
namespace {

// Where each named value goes.
struct Named {
  std::string_view name;
  Kind kind;
  std::optional<double> Values::*number = nullptr;
  double Values::*plain = nullptr;
  bool Values::*flag = nullptr;
};

constexpr Named kNamed[] = {
    {"frequency", Kind::number, &Values::frequencyMhz},
    {"length", Kind::number, &Values::lengthM},
    {"diameter", Kind::number, &Values::diameterMm},
    {"tip", Kind::number, &Values::tipM},
    {"q", Kind::number, nullptr, &Values::q},
    {"ground-loss", Kind::number, nullptr, &Values::groundLossOhm},
    {"coil-radius", Kind::number, &Values::coilRadiusMm},
    {"pitch", Kind::number, &Values::pitchMm},
    {"wire", Kind::number, &Values::wireMm},
    {"measured", Kind::number, &Values::measuredMhz},
    {"measured-swr-minimum", Kind::number, &Values::measuredSwrMinimumMhz},
    {"measured-resistance", Kind::number, &Values::measuredResistanceOhm},
    {"turns", Kind::number, &Values::turns},
    {"conductor", Kind::word},
    {"trim", Kind::word},
    {"base", Kind::flag, nullptr, nullptr, &Values::base},
    {"dipole", Kind::flag, nullptr, nullptr, &Values::dipole},
    {"helix", Kind::flag, nullptr, nullptr, &Values::helix},
    {"lumped", Kind::flag, nullptr, nullptr, &Values::lumped},
};

const Named* named(std::string_view name) {
  for (const Named& value : kNamed) {
    if (value.name == name) return &value;
  }
  return nullptr;
}

std::optional<Trim::Change> changeNamed(std::string_view name) {
  if (name == "turns") return Trim::Change::turns;
  if (name == "top") return Trim::Change::top;
  return std::nullopt;
}

std::optional<Nec2::Conductor> conductorNamed(std::string_view name) {
  if (name == "copper") return Nec2::Conductor::copper;
  if (name == "aluminium") return Nec2::Conductor::aluminium;
  if (name == "perfect") return Nec2::Conductor::perfect;
  return std::nullopt;
}

bool coilGiven(const Values& v) { return v.coilRadiusMm || v.pitchMm || v.wireMm; }
bool coilComplete(const Values& v) { return v.coilRadiusMm && v.pitchMm && v.wireMm; }

Error valueError(Problem problem, double value, std::string detail = {}) {
  return {problem, NumberText::shortest(value), std::move(detail)};
}

std::optional<Error> checkDesign(const Values& v) {
  const double frequencyMhz = *v.frequencyMhz;
  const double lengthM = *v.lengthM;
  const double diameterMm = *v.diameterMm;
  if (!(frequencyMhz > 0.0)) return valueError(Problem::frequencyNotPositive, frequencyMhz);
  if (!ModelRange::frequencyModelled(frequencyMhz)) {
    return valueError(Problem::frequencyOutsideModel, frequencyMhz,
                      NumberText::shortest(ModelRange::kLowestFrequencyMhz) + "-" +
                          NumberText::shortest(ModelRange::kHighestFrequencyMhz));
  }
  if (!(lengthM > 0.0)) return valueError(Problem::lengthNotPositive, lengthM);
  if (LoadingCoilFormulas::elementTooLong(lengthM, frequencyMhz)) {
    const double quarterWaveM = stored(LoadingCoilFormulas::quarterWaveLengthM(frequencyMhz));
    return valueError(Problem::lengthBeyondQuarterWave, lengthM,
                      NumberText::withDecimals(quarterWaveM, 3));
  }
  if (v.tipM && !(*v.tipM > 0.0 && *v.tipM < lengthM)) {
    return valueError(Problem::tipOutsideElement, *v.tipM, NumberText::shortest(lengthM));
  }
  if (!(diameterMm > 0.0)) return valueError(Problem::diameterNotPositive, diameterMm);
  const Checked::Design design = designOf(v);
  const Nec2::LoadedElement coarsest = DesignElement::placed(design, Segmentation::kFewestSegments);
  if (Segmentation::elementTooShort(coarsest, frequencyMhz)) {
    return valueError(Problem::elementTooShortForModel, lengthM,
                      NumberText::shortest(frequencyMhz));
  }
  if (Segmentation::seriesCounts(coarsest, frequencyMhz).empty()) {
    return valueError(Problem::wireTooThick, diameterMm,
                      std::to_string(Segmentation::kFewestSegmentsForThickWire));
  }
  return std::nullopt;
}

// Where NEC2's thin-wire model of the helix holds: turns apart by several
// wire radii, and segments (at the finer count per turn) long against the
// helix wire's radius and against the element's, which meets them.
std::optional<Error> checkHelix(const Values& v) {
  const HelixLimits::Helix helix{*v.coilRadiusMm, *v.pitchMm, *v.wireMm, *v.diameterMm};
  if (HelixLimits::turnsTooClose(helix)) {
    return valueError(Problem::helixTurnsTooClose, *v.pitchMm,
                      NumberText::shortest(HelixLimits::closestPitchMm(helix)));
  }
  if (HelixLimits::segmentsTooShort(helix)) {
    return valueError(Problem::helixSegmentsTooShort, *v.coilRadiusMm);
  }
  return std::nullopt;
}

std::optional<Error> checkCoil(const Values& v) {
  for (double measure : {*v.coilRadiusMm, *v.pitchMm, *v.wireMm}) {
    if (!(measure > 0.0)) return valueError(Problem::coilMeasureNotPositive, measure);
  }
  if (*v.pitchMm < *v.wireMm) {
    return valueError(Problem::pitchBelowWire, *v.pitchMm, NumberText::shortest(*v.wireMm));
  }
  if (v.helix) return checkHelix(v);
  return std::nullopt;
}

// The measurement: one of its three forms, its figures above 0, the turns
// wound and a change of turns only with the coil's measures.
std::optional<Error> checkMeasurement(const Values& v) {
  if ((v.measuredMhz ? 1 : 0) + (v.measuredSwrMinimumMhz ? 1 : 0) + (v.measuredFile ? 1 : 0) > 1) {
    return Error{
        Problem::measuredTwice, v.measuredMhz ? "--measured" : "--measured-swr-minimum", {}};
  }
  struct Figure {
    std::optional<double> value;
    std::string_view option;
  };
  for (const Figure& figure :
       {Figure{v.measuredMhz, "--measured"},
        Figure{v.measuredSwrMinimumMhz, "--measured-swr-minimum"},
        Figure{v.measuredResistanceOhm, "--measured-resistance"}, Figure{v.turns, "--turns"}}) {
    if (!figure.value) continue;
    if (!measured(v)) return Error{Problem::measurementMissing, std::string(figure.option), {}};
    if (!(*figure.value > 0.0)) {
      return valueError(Problem::measureNotPositive, *figure.value, std::string(figure.option));
    }
  }
  if (v.trim && !measured(v)) return Error{Problem::measurementMissing, "--trim", {}};
  if (!coilComplete(v)) {
    if (v.turns) return Error{Problem::turnsWithoutCoil, "--turns", {}};
    if (v.trim == Trim::Change::turns) return Error{Problem::turnsWithoutCoil, "--trim turns", {}};
  }
  return std::nullopt;
}

}  // namespace

std::optional<double> readNumber(std::string_view text) {
  const std::optional<Extended> value = NumberSyntax::parseReal(text);
  // Beyond a double the program's rounding faults (its error 205): such a
  // number is no answer here.
  if (!value || Arithmetic::fabs(*value) > Extended{std::numeric_limits<double>::max()}) {
    return std::nullopt;
  }
  return stored(*value);
}

std::optional<Kind> kindOf(std::string_view name) {
  const Named* value = named(name);
  if (value == nullptr) return std::nullopt;
  return value->kind;
}

std::optional<Error> set(Values& values, std::string_view name, std::string_view text,
                         std::string_view option) {
  const Named* value = named(name);
  if (value == nullptr) return Error{Problem::unknownOption, std::string(option), {}};
  switch (value->kind) {
    case Kind::flag: values.*value->flag = true; return std::nullopt;
    case Kind::word:
      if (text.empty()) return Error{Problem::missingValue, std::string(option), {}};
      if (name == "trim") {
        values.trim = changeNamed(text);
        if (!values.trim) return Error{Problem::unknownTrim, std::string(text), {}};
        return std::nullopt;
      }
      if (const std::optional<Nec2::Conductor> conductor = conductorNamed(text)) {
        values.conductor = *conductor;
        return std::nullopt;
      }
      return Error{Problem::unknownConductor, std::string(text), {}};
    case Kind::number: break;
  }
  const std::optional<double> number = readNumber(text);
  if (!number) return Error{Problem::notANumber, std::string(option), std::string(text)};
  if (value->number != nullptr) {
    values.*value->number = *number;
  } else {
    values.*value->plain = *number;
  }
  return std::nullopt;
}

std::optional<Error> setWritten(Values& values, std::string_view name,
                                std::optional<std::string_view> value) {
  const std::string option = "--" + std::string(name);
  const std::optional<Kind> kind = kindOf(name);
  if (!kind || (*kind == Kind::flag && value)) {
    return Error{Problem::unknownOption, value ? option + "=" + std::string(*value) : option, {}};
  }
  if (*kind != Kind::flag && !value) return Error{Problem::missingValue, option, {}};
  return set(values, name, value.value_or(""), option);
}

std::optional<Error> checkTogether(const Values& values) {
  if (values.base && values.tipM) return Error{Problem::baseWithTip, "--base", {}};
  if (coilGiven(values) && !coilComplete(values)) {
    return Error{Problem::incompleteCoil, "--coil-radius", {}};
  }
  return std::nullopt;
}

std::vector<Question> openQuestions(const Values& values) {
  std::vector<Question> open;
  if (!values.diameterMm) open.push_back(Question::diameter);
  if (!values.lengthM) open.push_back(Question::length);
  if (!values.frequencyMhz) open.push_back(Question::frequency);
  if (!values.base && !values.tipM) open.push_back(Question::loading);
  return open;
}

std::string_view optionFor(Question question) {
  switch (question) {
    case Question::diameter: return "--diameter";
    case Question::length: return "--length";
    case Question::frequency: return "--frequency";
    case Question::loading: return "--base or --tip";
    case Question::tip: return "--tip";
  }
  return "";
}

std::optional<Error> checkValues(const Values& v) {
  if (const std::vector<Question> open = openQuestions(v); !open.empty()) {
    return Error{Problem::missingDesign, std::string(optionFor(open.front())), {}};
  }
  if (std::optional<Error> error = checkDesign(v)) return error;
  if (!(v.q > 0.0)) return valueError(Problem::qNotPositive, v.q);
  if (!(v.groundLossOhm >= 0.0)) return valueError(Problem::groundLossNegative, v.groundLossOhm);
  if (v.dipole && v.groundLossOhm != 0.0) {
    return valueError(Problem::groundLossWithDipole, v.groundLossOhm);
  }
  if (v.helix && !coilComplete(v)) return Error{Problem::helixWithoutCoil, "--helix", {}};
  if (v.helix && v.lumped) return Error{Problem::helixWithLumped, "--helix", {}};
  if (coilComplete(v)) {
    if (std::optional<Error> error = checkCoil(v)) return error;
  }
  return checkMeasurement(v);
}

bool measured(const Values& v) {
  return v.measuredMhz || v.measuredSwrMinimumMhz || v.measuredFile;
}

std::optional<MeasuredResonance::Given> measurementOf(const Values& v) {
  if (!measured(v)) return std::nullopt;
  const Trim::Change change =
      v.trim.value_or(coilComplete(v) ? Trim::Change::turns : Trim::Change::top);
  return MeasuredResonance::Given{v.measuredMhz, v.measuredSwrMinimumMhz, v.measuredResistanceOhm,
                                  v.turns, change};
}

Checked::Design designOf(const Values& v) {
  std::optional<CoilAsWound::Measures> winding;
  if (coilComplete(v)) winding = CoilAsWound::Measures{*v.coilRadiusMm, *v.pitchMm, *v.wireMm};
  const Checked::CoilModel coilModel = v.helix    ? Checked::CoilModel::forcedAsWound
                                       : v.lumped ? Checked::CoilModel::lumped
                                                  : Checked::CoilModel::asWound;
  return {*v.frequencyMhz,
          *v.lengthM,
          *v.diameterMm,
          v.tipM ? Checked::Loading::belowTip(*v.tipM) : Checked::Loading::atFeed(),
          v.q,
          v.conductor,
          v.groundLossOhm,
          v.dipole,
          winding,
          coilModel};
}

}  // namespace DesignValues
