// A design as the user gives it, value by value under tanshuku-nec's names
// ("frequency", "tip", "base"...): on the command line as --name, in the
// page's link as name=value. Read with the program's own number reader,
// checked in one order, and made into the checked Design once they pass.
// Refusals are values (an Error), never exceptions: each is the user's to
// mend, and the caller says it in one line (nec/input/value_messages.hpp).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nec/design/design.hpp"
#include "nec/measured/measured_resonance.hpp"
#include "nec/model/loaded_element.hpp"
#include "nec/search/trim.hpp"

namespace DesignValues {

struct Values {
  // The design, as menu 1 asks it; empty where not given.
  std::optional<double> frequencyMhz;
  std::optional<double> lengthM;
  std::optional<double> diameterMm;
  bool base = false;
  std::optional<double> tipM;  // from the tip (or a top hat's edge) to the coil
  double q = 200.0;            // the coil's
  Nec2::Conductor conductor = Nec2::Conductor::copper;
  double groundLossOhm = 0.0;  // in series at the feed
  bool dipole = false;         // one half of a centre-fed dipole
  std::optional<double> coilRadiusMm;
  std::optional<double> pitchMm;
  std::optional<double> wireMm;
  // The coil modelled as wound, a helix of those measures: by default where
  // they are given, unless lumped; helix forces it up to the hard limit.
  bool helix = false;
  bool lumped = false;
  // The antenna as built, measured at its feed: where its reactance rises
  // through zero, or where its SWR is lowest, or an analyser's file (the
  // command line's); the resistance there; the turns wound; and what the
  // builder will change.
  std::optional<double> measuredMhz;
  std::optional<double> measuredSwrMinimumMhz;
  std::optional<std::string> measuredFile;
  std::optional<double> measuredResistanceOhm;
  std::optional<double> turns;
  std::optional<Trim::Change> trim;
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
  measuredTwice,
  measurementMissing,
  measureNotPositive,
  unknownTrim,
  turnsWithoutCoil,
  fileNotWritable,
};

struct Error {
  Problem problem;
  std::string subject;  // the option, value or file concerned
  std::string detail;   // a figure or reason the line names
};

// How a named value is given: a number, a word, or nothing (a switch).
enum class Kind { number, word, flag };
// The kind of the design value of that name, none for another name.
std::optional<Kind> kindOf(std::string_view name);
// Sets the named design value from its text (empty for a switch); option is
// how the user wrote the name, for the line that refuses it.
std::optional<Error> set(Values& values, std::string_view name, std::string_view text,
                         std::string_view option);
// Sets the named value as "--name=value" gives it, or "--name" where value
// is none: a switch takes no value, the others need one.
std::optional<Error> setWritten(Values& values, std::string_view name,
                                std::optional<std::string_view> value);
// What the values given together refuse before any is checked: the base
// with a tip length, a coil's measures without all three.
std::optional<Error> checkTogether(const Values& values);

// The design's questions, in menu 1's order.
enum class Question { diameter, length, frequency, loading, tip };
// Those that the values leave open: the tip is open when neither base nor
// tip was given.
std::vector<Question> openQuestions(const Values& values);
// The option that answers a question, for the line that says it is missing.
std::string_view optionFor(Question question);

// Every check of the values, once the design is complete: the first one
// that fails.
std::optional<Error> checkValues(const Values& values);
// The checked design the values give, once checkValues passed.
Checked::Design designOf(const Values& values);

// Whether the values hold a measurement of the antenna as built.
bool measured(const Values& values);
// The measurement the values give, once checkValues passed; none without
// one. What the builder will change: as asked, else the turns where the
// coil's measures are given (the formulas' coil errs by per cents, a length
// is cut to the millimetre), else the wire above the coil.
std::optional<MeasuredResonance::Given> measurementOf(const Values& values);

// A number as the program's number reader reads it and stores it; empty
// when the text is not a number the program takes, or lies beyond a double.
std::optional<double> readNumber(std::string_view text);

}  // namespace DesignValues
