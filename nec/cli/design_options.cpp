#include "nec/cli/design_options.hpp"

#include <cmath>
#include <functional>
#include <limits>

#include "arithmetic/maths.hpp"
#include "arithmetic/stored.hpp"
#include "calculators/loading_coil/loading_coil_formulas.hpp"
#include "console/number_syntax.hpp"
#include "nec/design/design_element.hpp"
#include "nec/design/model_range.hpp"
#include "nec/host/posix/file_output.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/segmentation.hpp"
#include "nec/texts/number_text.hpp"

namespace DesignOptions {
namespace {

// What an option does with the value that follows it, or as a flag.
struct OptionKind {
  std::string_view name;
  std::function<void(Options&, double)> number;
  std::function<void(Options&, std::string_view)> text;
  std::function<void(Options&)> flag;
};

const std::vector<OptionKind>& optionKinds() {
  static const std::vector<OptionKind> kinds = {
      {"--frequency", [](Options& o, double v) { o.frequencyMhz = v; }, {}, {}},
      {"--length", [](Options& o, double v) { o.lengthM = v; }, {}, {}},
      {"--diameter", [](Options& o, double v) { o.diameterMm = v; }, {}, {}},
      {"--tip", [](Options& o, double v) { o.tipM = v; }, {}, {}},
      {"--q", [](Options& o, double v) { o.q = v; }, {}, {}},
      {"--ground-loss", [](Options& o, double v) { o.groundLossOhm = v; }, {}, {}},
      {"--coil-radius", [](Options& o, double v) { o.coilRadiusMm = v; }, {}, {}},
      {"--pitch", [](Options& o, double v) { o.pitchMm = v; }, {}, {}},
      {"--wire", [](Options& o, double v) { o.wireMm = v; }, {}, {}},
      {"--conductor",
       {},
       [](Options& o, std::string_view v) {
         o.conductor = v == "aluminium" ? Conductor::aluminium
                       : v == "perfect" ? Conductor::perfect
                                        : Conductor::copper;
       },
       {}},
      {"--nec", {}, [](Options& o, std::string_view v) { o.necFile = v; }, {}},
      {"--maa", {}, [](Options& o, std::string_view v) { o.maaFile = v; }, {}},
      {"--sweep", {}, [](Options& o, std::string_view v) { o.sweepFile = v; }, {}},
      {"--plot", {}, [](Options& o, std::string_view v) { o.plotFile = v; }, {}},
      {"--base", {}, {}, [](Options& o) { o.base = true; }},
      {"--dipole", {}, {}, [](Options& o) { o.dipole = true; }},
      {"--helix", {}, {}, [](Options& o) { o.helix = true; }},
      {"--lumped", {}, {}, [](Options& o) { o.lumped = true; }},
      {"--json", {}, {}, [](Options& o) { o.json = true; }},
      {"--help", {}, {}, [](Options& o) { o.help = true; }},
      {"--version", {}, {}, [](Options& o) { o.version = true; }},
  };
  return kinds;
}

const OptionKind* kindNamed(std::string_view name) {
  for (const OptionKind& kind : optionKinds()) {
    if (kind.name == name) return &kind;
  }
  return nullptr;
}

bool knownConductor(std::string_view name) {
  return name == "copper" || name == "aluminium" || name == "perfect";
}

// One option and its value, from "--name value" or "--name=value". Returns
// how many arguments it took, or the error.
std::variant<size_t, Error> takeOption(std::span<const std::string_view> arguments,
                                       Options& options) {
  std::string_view name = arguments[0];
  std::optional<std::string_view> value;
  if (const size_t equals = name.find('='); name.starts_with("--") && equals != name.npos) {
    value = name.substr(equals + 1);
    name = name.substr(0, equals);
  }
  const OptionKind* kind = kindNamed(name);
  if (kind == nullptr || (kind->flag && value)) {
    return Error{Problem::unknownOption, std::string(arguments[0]), {}};
  }
  if (kind->flag) {
    kind->flag(options);
    return size_t{1};
  }
  size_t taken = 1;
  if (!value) {
    if (arguments.size() < 2) return Error{Problem::missingValue, std::string(name), {}};
    value = arguments[1];
    taken = 2;
  }
  if (kind->text) {
    if (value->empty()) return Error{Problem::missingValue, std::string(name), {}};
    if (name == "--conductor" && !knownConductor(*value)) {
      return Error{Problem::unknownConductor, std::string(*value), {}};
    }
    kind->text(options, *value);
    return taken;
  }
  const std::optional<double> number = readNumber(*value);
  if (!number) return Error{Problem::notANumber, std::string(name), std::string(*value)};
  kind->number(options, *number);
  return taken;
}

bool coilGiven(const Options& o) { return o.coilRadiusMm || o.pitchMm || o.wireMm; }
bool coilComplete(const Options& o) { return o.coilRadiusMm && o.pitchMm && o.wireMm; }

Error valueError(Problem problem, double value, std::string detail = {}) {
  return {problem, NumberText::shortest(value), std::move(detail)};
}

std::optional<Error> checkDesign(const Options& o) {
  const double frequencyMhz = *o.frequencyMhz;
  const double lengthM = *o.lengthM;
  const double diameterMm = *o.diameterMm;
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
  if (o.tipM && !(*o.tipM > 0.0 && *o.tipM < lengthM)) {
    return valueError(Problem::tipOutsideElement, *o.tipM, NumberText::shortest(lengthM));
  }
  if (!(diameterMm > 0.0)) return valueError(Problem::diameterNotPositive, diameterMm);
  const Checked::Design design = designOf(o);
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
std::optional<Error> checkHelix(const Options& o) {
  const HelixLimits::Helix helix{*o.coilRadiusMm, *o.pitchMm, *o.wireMm, *o.diameterMm};
  if (HelixLimits::turnsTooClose(helix)) {
    return valueError(Problem::helixTurnsTooClose, *o.pitchMm,
                      NumberText::shortest(HelixLimits::closestPitchMm(helix)));
  }
  if (HelixLimits::segmentsTooShort(helix)) {
    return valueError(Problem::helixSegmentsTooShort, *o.coilRadiusMm);
  }
  return std::nullopt;
}

std::optional<Error> checkCoil(const Options& o) {
  for (double measure : {*o.coilRadiusMm, *o.pitchMm, *o.wireMm}) {
    if (!(measure > 0.0)) return valueError(Problem::coilMeasureNotPositive, measure);
  }
  if (*o.pitchMm < *o.wireMm) {
    return valueError(Problem::pitchBelowWire, *o.pitchMm, NumberText::shortest(*o.wireMm));
  }
  if (o.helix) return checkHelix(o);
  return std::nullopt;
}

// Whether the program may write the file: its folder must take new files,
// or a device or pipe must let this user write it.
std::optional<Error> checkFile(const std::string& file) {
  if (file.empty()) return std::nullopt;
  switch (FileOutput::obstacleTo(file)) {
    case FileOutput::Obstacle::none: return std::nullopt;
    case FileOutput::Obstacle::folder: return Error{Problem::fileNotWritable, file, "is a folder"};
    case FileOutput::Obstacle::noFolder: return Error{Problem::fileNotWritable, file, "no folder"};
    case FileOutput::Obstacle::readOnlyFolder:
      return Error{Problem::fileNotWritable, file, "read-only"};
    case FileOutput::Obstacle::readOnlyFile:
      return Error{Problem::fileNotWritable, file, "read-only file"};
    case FileOutput::Obstacle::loop: return Error{Problem::fileNotWritable, file, "link loop"};
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

std::variant<Options, Error> parse(std::span<const std::string_view> arguments) {
  Options options;
  while (!arguments.empty()) {
    std::variant<size_t, Error> taken = takeOption(arguments, options);
    if (Error* error = std::get_if<Error>(&taken)) return *error;
    arguments = arguments.subspan(std::get<size_t>(taken));
  }
  if (options.base && options.tipM) return Error{Problem::baseWithTip, "--base", {}};
  if (coilGiven(options) && !coilComplete(options)) {
    return Error{Problem::incompleteCoil, "--coil-radius", {}};
  }
  return options;
}

std::vector<Question> openQuestions(const Options& options) {
  std::vector<Question> open;
  if (!options.diameterMm) open.push_back(Question::diameter);
  if (!options.lengthM) open.push_back(Question::length);
  if (!options.frequencyMhz) open.push_back(Question::frequency);
  if (!options.base && !options.tipM) open.push_back(Question::loading);
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

std::optional<Error> checkValues(const Options& o) {
  if (const std::vector<Question> open = openQuestions(o); !open.empty()) {
    return Error{Problem::missingDesign, std::string(optionFor(open.front())), {}};
  }
  if (std::optional<Error> error = checkDesign(o)) return error;
  if (!(o.q > 0.0)) return valueError(Problem::qNotPositive, o.q);
  if (!(o.groundLossOhm >= 0.0)) return valueError(Problem::groundLossNegative, o.groundLossOhm);
  if (o.dipole && o.groundLossOhm != 0.0) {
    return valueError(Problem::groundLossWithDipole, o.groundLossOhm);
  }
  if (o.helix && !coilComplete(o)) return Error{Problem::helixWithoutCoil, "--helix", {}};
  if (o.helix && o.lumped) return Error{Problem::helixWithLumped, "--helix", {}};
  if (coilComplete(o)) return checkCoil(o);
  return std::nullopt;
}

Checked::Design designOf(const Options& o) {
  std::optional<CoilAsWound::Measures> winding;
  if (coilComplete(o)) winding = CoilAsWound::Measures{*o.coilRadiusMm, *o.pitchMm, *o.wireMm};
  const Checked::CoilModel coilModel = o.helix    ? Checked::CoilModel::forcedAsWound
                                       : o.lumped ? Checked::CoilModel::lumped
                                                  : Checked::CoilModel::asWound;
  return {*o.frequencyMhz,
          *o.lengthM,
          *o.diameterMm,
          o.tipM ? Checked::Loading::belowTip(*o.tipM) : Checked::Loading::atFeed(),
          o.q,
          o.conductor,
          o.groundLossOhm,
          o.dipole,
          winding,
          coilModel};
}

std::optional<Error> checkFiles(const Options& o) {
  for (const std::string* file : {&o.necFile, &o.maaFile, &o.sweepFile, &o.plotFile}) {
    if (std::optional<Error> error = checkFile(*file)) return error;
  }
  return std::nullopt;
}

}  // namespace DesignOptions
