// The SWR curve of a sweep drawn by gnuplot, against the resonant resistance
// and against 50 Ω, with the 2:1 line: SVG, or PNG for a name ending in
// .png. gnuplot runs as a separate program.
#pragma once

#include <span>
#include <string>

#include "nec/host/posix/file_output.hpp"
#include "nec/search/bandwidth.hpp"

namespace SwrPlot {

// The Debian package that brings gnuplot without a display.
inline constexpr const char* kGnuplotPackage = "gnuplot-nox";

// Whether a gnuplot is on the PATH.
bool gnuplotInstalled();

// Draws the plot into path (as FileOutput writes a file: gnuplot writes a
// temporary file, renamed or copied into path when it has finished).
// kNotFilled where gnuplot could not be started, failed, or was stopped at
// its time limit or by a signal held back, or no scratch folder could be
// made for it.
FileOutput::Outcome write(const std::string& path, std::span<const Bandwidth::Point> sweep,
                          double matchedReferenceOhm);

// gnuplot's script for the data file and the output, exposed for its test.
std::string script(const std::string& dataPath, const std::string& outputPath, bool png);

}  // namespace SwrPlot
