// tanshuku-nec's command line: the design in the program's units, read with
// the program's own number reader, and the files to write; and every check
// of the values before anything is computed or run.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "nec/design/design.hpp"
#include "nec/model/loaded_element.hpp"
#include "nec/texts/messages.hpp"

namespace DesignOptions {

// The wire's metal, as the solver models it (its conductivities there).
using Conductor = Nec2::Conductor;

struct Options {
  // The design, as menu 1 asks it; empty where not given.
  std::optional<double> frequencyMhz;
  std::optional<double> lengthM;
  std::optional<double> diameterMm;
  bool base = false;
  std::optional<double> tipM;  // from the tip (or a top hat's edge) to the coil
  double q = 200.0;            // the coil's
  Conductor conductor = Conductor::copper;
  double groundLossOhm = 0.0;  // in series at the feed
  bool dipole = false;         // one half of a centre-fed dipole
  std::optional<double> coilRadiusMm;
  std::optional<double> pitchMm;
  std::optional<double> wireMm;
  // The coil modelled as wound, a helix of those measures: by default where
  // they are given, unless lumped; helix forces it up to the hard limit.
  bool helix = false;
  bool lumped = false;
  // Files to write, empty when not asked for.
  std::string necFile;
  std::string maaFile;
  std::string sweepFile;
  std::string plotFile;
  bool json = false;
  bool help = false;
  bool version = false;
};

enum class Problem {
  unknownOption,
  missingValue,
  notANumber,
  unknownConductor,
  baseWithTip,
  incompleteCoil,
  missingDesign,
  frequencyNotPositive,
  frequencyOutsideModel,
  lengthNotPositive,
  lengthBeyondQuarterWave,
  tipOutsideElement,
  diameterNotPositive,
  qNotPositive,
  groundLossNegative,
  groundLossWithDipole,
  coilMeasureNotPositive,
  pitchBelowWire,
  helixWithoutCoil,
  helixWithLumped,
  helixTurnsTooClose,
  helixSegmentsTooShort,
  elementTooShortForModel,
  wireTooThick,
  fileNotWritable,
};

struct Error {
  Problem problem;
  std::string subject;  // the option, value or file concerned
  std::string detail;   // a figure or reason the line names
};

// Reads the arguments (without the program's name).
std::variant<Options, Error> parse(std::span<const std::string_view> arguments);

// The design's questions, in menu 1's order.
enum class Question { diameter, length, frequency, loading, tip };
// Those that the options leave open: the tip is open when neither --base
// nor --tip was given.
std::vector<Question> openQuestions(const Options& options);
// The option that answers a question, for the line that says it is missing.
std::string_view optionFor(Question question);

// Every check of the values, once the design is complete: the first one
// that fails.
std::optional<Error> checkValues(const Options& options);
// The checked design the options give, once checkValues passed: what the
// checks, the report and the files take.
Checked::Design designOf(const Options& options);

// Whether each file asked for can be written: its folder exists and takes
// new files.
std::optional<Error> checkFiles(const Options& options);

// The one line that tells the user, without its line end.
std::string describe(const Error& error, Messages::Language language);

// A number as the program's number reader reads it and stores it; empty
// when the text is not a number the program takes, or lies beyond a double.
std::optional<double> readNumber(std::string_view text);

}  // namespace DesignOptions
