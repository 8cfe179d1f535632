#include "docs/accuracy/program_dialogue.hpp"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "test_support/process.hpp"
#include "test_support/transcript.hpp"

namespace ProgramDialogue {
namespace {

// Runs one calculator from the menu, ends the program with 0 at the menu,
// and returns the whole screen as UTF-8.
std::string screenOf(const std::string& answers) {
  ProcessResult result = runProcess(programPath(), answers + "0\n");
  if (result.exitCode != 0) {
    throw std::runtime_error("the program ended with " + std::to_string(result.exitCode) +
                             " for the answers\n" + answers);
  }
  return toUtf8(result.output);
}

// The number printed right after the first occurrence of the text.
double numberAfter(const std::string& screen, const std::string& text) {
  std::size_t at = screen.find(text);
  if (at == std::string::npos) throw std::runtime_error("no \"" + text + "\" on the screen");
  const char* start = screen.c_str() + at + text.size();
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start) throw std::runtime_error("no number after \"" + text + "\"");
  return value;
}

int occurrences(const std::string& screen, const std::string& text) {
  int count = 0;
  for (std::size_t at = screen.find(text); at != std::string::npos;
       at = screen.find(text, at + 1)) {
    ++count;
  }
  return count;
}

std::string line(double value) { return typed(value) + "\n"; }

}  // namespace

std::string typed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

double asTyped(double value) { return std::strtod(typed(value).c_str(), nullptr); }

// Menu 1: Return after the introduction, diameter, length, frequency, the
// loading answer, (the tip length), Return after the results.
double baseLoadingCoilUh(double diameterMm, double lengthM, double frequencyMhz) {
  std::string screen =
      screenOf("1\n\n" + line(diameterMm) + line(lengthM) + line(frequencyMhz) + "Y\n\n");
  return numberAfter(screen, "ローディングコイルのインダクタンスは");
}

double centreLoadingCoilUh(double diameterMm, double lengthM, double frequencyMhz,
                           double tipLengthM) {
  std::string screen = screenOf("1\n\n" + line(diameterMm) + line(lengthM) + line(frequencyMhz) +
                                "N\n" + line(tipLengthM) + "\n");
  return numberAfter(screen, "ローディングコイルのインダクタンスは");
}

// Menu 3: Return after the introduction, frequency, length, diameter, Return.
FeedImpedance feedImpedance(double frequencyMhz, double lengthM, double diameterMm) {
  std::string screen =
      screenOf("3\n\n" + line(frequencyMhz) + line(lengthM) + line(diameterMm) + "\n");
  return {numberAfter(screen, "端点（給電点）でのインピーダンスは、"), numberAfter(screen, "j("),
          occurrences(screen, "この範囲は計算をサポートしていません")};
}

// Menu 4: band count 0 (no guide screen), frequency, L1, L2, Return.
Efficiency efficiency(double frequencyMhz, double nearLoadingPointM, double farLoadingPointM) {
  std::string screen = screenOf("4\n0\n" + line(frequencyMhz) + line(nearLoadingPointM) +
                                line(farLoadingPointM) + "\n");
  return {numberAfter(screen, "能率は、真数で"), numberAfter(screen, "能率（利得）は")};
}

// Menu 5: frequency, diameter, Return.
Dipole dipole(double frequencyMhz, double diameterMm) {
  std::string screen = screenOf("5\n" + line(frequencyMhz) + line(diameterMm) + "\n");
  return {numberAfter(screen, "波長短縮率は"), numberAfter(screen, "エレメントの長さは")};
}

}  // namespace ProgramDialogue
