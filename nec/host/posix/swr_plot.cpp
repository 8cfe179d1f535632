#include "nec/host/posix/swr_plot.hpp"

#include <chrono>
#include <filesystem>

#include "nec/host/posix/child_process.hpp"
#include "nec/host/posix/file_output.hpp"
#include "nec/host/posix/interruptions.hpp"
#include "nec/host/posix/search_path.hpp"
#include "nec/host/posix/temporary_folder.hpp"
#include "nec/model/solver_failure.hpp"
#include "nec/texts/sweep_csv.hpp"

namespace SwrPlot {
namespace {

// gnuplot's single-quoted strings take a quote as two.
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char byte : text) out += byte == '\'' ? std::string("''") : std::string(1, byte);
  return out + "'";
}

// gnuplot draws the sweep's few dozen points in a fraction of a second; one
// that has not finished within this limit is stopped and the plot fails.
constexpr std::chrono::seconds kGnuplotTimeLimit{60};

// gnuplot with this program's standard streams, so that what it says
// reaches the user.
bool runGnuplot(const std::string& scriptPath) {
  return ChildProcess::run({.program = "gnuplot", .arguments = {scriptPath}}, kGnuplotTimeLimit)
      .succeeded();
}

bool endsWithPng(const std::string& path) {
  const std::string extension = std::filesystem::path(path).extension().string();
  return extension == ".png" || extension == ".PNG";
}

}  // namespace

bool gnuplotInstalled() { return SearchPath::find("gnuplot").has_value(); }

std::string script(const std::string& dataPath, const std::string& outputPath, bool png) {
  std::string text;
  text += png ? "set terminal pngcairo size 900,560 font 'DejaVu Sans,11' linewidth 1.5\n"
              : "set terminal svg size 900,560 dynamic font 'DejaVu Sans,11' linewidth 1.5\n";
  text += "set output " + quoted(outputPath) + "\n";
  text += "set datafile separator ','\n";
  text += "set key top center\nset grid\n";
  text += "set autoscale xfix\n";
  text += "set xlabel 'Frequency (MHz)'\nset ylabel 'SWR'\nset yrange [1:5]\n";
  text += "plot " + quoted(dataPath) +
          " skip 1 using 1:4 with lines title 'against the resonant resistance', \\\n"
          "     '' skip 1 using 1:5 with lines title 'against 50 ohm', \\\n"
          "     2 with lines dashtype 2 linecolor 'gray' title 'SWR 2'\n";
  text += "set output\n";
  return text;
}

FileOutput::Outcome write(const std::string& path, std::span<const Bandwidth::Point> sweep,
                          double matchedReferenceOhm) {
  const Nec2::Interruptions held;  // until the scratch folder is gone too
  try {
    const Nec2::TemporaryFolder scratch;
    const std::string dataPath = scratch.file("sweep.csv");
    const std::string scriptPath = scratch.file("plot.gp");
    const std::string outputPath = std::filesystem::absolute(path).string();
    if (const FileOutput::Outcome data =
            FileOutput::writeWhole(dataPath, SweepCsv::text(sweep, matchedReferenceOhm));
        !data) {
      return data;
    }
    return FileOutput::writeThrough(outputPath, [&](const std::string& temporary) {
      return FileOutput::writeWhole(scriptPath, script(dataPath, temporary, endsWithPng(path))) &&
             runGnuplot(scriptPath);
    });
  } catch (const Nec2::SolverFailed&) {  // no scratch folder
    return FileOutput::Outcome{FileOutput::kNotFilled};
  }
}

}  // namespace SwrPlot
