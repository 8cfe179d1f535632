#include "docs/accuracy/nec2.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "test_support/process.hpp"

namespace Nec2 {
namespace {

long runs = 0;

// nec2c, looked up on the search path once.
const std::string& solverPath() {
  static const std::string path = [] {
    const char* searchPath = std::getenv("PATH");
    std::istringstream folders(searchPath ? searchPath : "/usr/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
      std::string candidate = folder + "/nec2c";
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    throw std::runtime_error("nec2c not found; install it with scripts/install-dependencies --all");
  }();
  return path;
}

std::string card(const char* pattern, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return std::string(text) + "\n";
}

// The feed-point row of the report: tag, segment, voltage, current,
// impedance (real, imaginary), admittance, power.
std::complex<double> readImpedance(const std::string& report) {
  const std::string title = "ANTENNA INPUT PARAMETERS";
  std::size_t at = report.find(title);
  if (at == std::string::npos) {
    throw std::runtime_error("nec2c gave no input impedance:\n" + report.substr(0, 4000));
  }
  std::istringstream lines(report.substr(at));
  std::string line;
  for (int skip = 0; skip < 3; ++skip) std::getline(lines, line);
  std::getline(lines, line);
  std::istringstream row(line);
  int tag = 0, segment = 0;
  double voltage[2], current[2], impedance[2];
  row >> tag >> segment >> voltage[0] >> voltage[1] >> current[0] >> current[1] >> impedance[0] >>
      impedance[1];
  if (!row) throw std::runtime_error("unreadable impedance row: " + line);
  return {impedance[0], impedance[1]};
}

}  // namespace

std::string deck(const Structure& structure) {
  std::string text = "CM " + structure.comment + "\nCE\n";
  int tag = 0;
  for (const Wire& wire : structure.wires) {
    text += card("GW %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g", ++tag, wire.segments, wire.x1,
                 wire.y1, wire.z1, wire.x2, wire.y2, wire.z2, wire.radiusM);
  }
  text += "GE 0\nEK 0\n";
  for (const Load& load : structure.loads) {
    text += card("LD 4 %d %d %d 0 %.9g", load.wire, load.segment, load.segment, load.reactanceOhm);
  }
  text += card("EX 0 %d %d 0 1 0", structure.feedWire, structure.feedSegment);
  text += card("FR 0 1 0 0 %.9g 0", structure.frequencyMhz);
  // Currents and the rest of the report are not needed.
  text += "PT -1 0 0 0\nXQ\nEN\n";
  return text;
}

std::complex<double> feedImpedance(const Structure& structure) {
  // nec2c reads its deck and writes its report through the files it is given.
  ProcessOptions options;
  options.arguments = {"-i/dev/stdin", "-o/dev/stdout"};
  ProcessResult result = runProcess(solverPath(), deck(structure), options);
  ++runs;
  if (result.exitCode != 0) {
    throw std::runtime_error("nec2c did not run (exit code " + std::to_string(result.exitCode) +
                             ")");
  }
  return readImpedance(result.output);
}

long runCount() { return runs; }

double wavelengthM(double frequencyMhz) { return 299.792458 / frequencyMhz; }

}  // namespace Nec2
