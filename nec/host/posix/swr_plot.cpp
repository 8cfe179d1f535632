#include "nec/host/posix/swr_plot.hpp"

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

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
constexpr std::chrono::milliseconds kGnuplotPollInterval{10};

bool waitForGnuplot(pid_t child) {
  const auto deadline = std::chrono::steady_clock::now() + kGnuplotTimeLimit;
  int status = 0;
  while (true) {
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (ended < 0 && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(child, SIGKILL);
      while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
      }
      return false;
    }
    std::this_thread::sleep_for(kGnuplotPollInterval);
  }
}

bool runGnuplot(const std::string& scriptPath) {
  const char* arguments[] = {"gnuplot", scriptPath.c_str(), nullptr};
  // gnuplot takes Ctrl-C as it comes: the signals this program holds while
  // the plot is under its temporary name are not held for gnuplot.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  pid_t child = 0;
  const int spawned =
      posix_spawnp(&child, "gnuplot", nullptr, &attributes, const_cast<char**>(arguments), environ);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) return false;
  return waitForGnuplot(child);
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
