// What tanshuku-nec writes beside its screen, one row each: the option, its
// line of --help in either language, and what it is made from. The table
// drives the options' reading, the files' checks, the usage and the
// writing; a new output is a new row and its writer.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "nec/host/posix/file_output.hpp"
#include "nec/texts/design_files.hpp"

namespace Outputs {

using DesignFiles::CheckedDesign;

struct Output {
  std::string_view option;  // "--nec"
  std::string_view helpEnglish;
  std::string_view helpJapanese;
  // Writes the file; none for --json, which the screen's place takes.
  FileOutput::Outcome (*write)(const std::string& file, const CheckedDesign& checked);
};

// In the order of the usage, which is the order they are written in.
std::span<const Output> all();
// The row of an option, none for another.
const Output* named(std::string_view option);

}  // namespace Outputs
