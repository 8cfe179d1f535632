// A measured antenna as antenna analysers' programs save it: a Touchstone
// 1.x one-port file, its option line and its data lines (frequency and one
// reflection, impedance or admittance each), read into impedances in ohms
// at frequencies in Hz. The text is handed in; nothing here reads a file.
// Refusals are values (an Error with the line they concern), never
// exceptions: the caller says them in one line (touchstone_messages.hpp).
#pragma once

#include <complex>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace Touchstone {

struct Point {
  double frequencyHz;
  std::complex<double> impedance;  // ohms
};

struct OnePort {
  std::vector<Point> points;  // in ascending frequency, one for each
  double referenceOhm;        // the option line's R
  bool sorted;                // the file gave its frequencies out of order
  int repeated;               // points left out for a later one at their frequency
};

enum class Problem {
  versionTwoKeyword,     // a [keyword] line
  unknownOption,         // an option line's word that is no unit, parameter or format
  badReference,          // R without a resistance above 0
  optionAfterData,       // an option line once the data began
  notANumber,            // a word of a data line
  notOnePort,            // a data line without exactly three numbers
  frequencyNotPositive,  // a data line's frequency
  noImpedance,           // a point whose impedance is infinite (an open circuit)
  noData,                // no data line in the whole file
};

struct Error {
  Problem problem;
  int line;          // 1-based; for noData, the line after the last
  std::string text;  // the word or line concerned
};

std::variant<OnePort, Error> read(std::string_view text);

}  // namespace Touchstone
