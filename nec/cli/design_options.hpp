// tanshuku-nec's command line: the design's values as --name options, the
// files to write and how to show the results.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "nec/input/design_values.hpp"

namespace DesignOptions {

using DesignValues::Error;
using DesignValues::Problem;

// The design's values and what to do with the results.
struct Options : DesignValues::Values {
  // The files asked for, by their outputs' options ("--nec").
  std::map<std::string_view, std::string> files;
  bool json = false;
  bool help = false;
  bool version = false;
};

// Reads the arguments (without the program's name).
std::variant<Options, Error> parse(std::span<const std::string_view> arguments);

// Whether the command line asks only for the figures of an analyser's
// file: --s1p without the element's measures or the coil's place.
bool readsMeasurementOnly(const Options& options);

// Whether each file asked for can be written: its folder exists and takes
// new files.
std::optional<Error> checkFiles(const Options& options);

}  // namespace DesignOptions
