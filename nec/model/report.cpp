#include "nec/model/report.hpp"

#include <cctype>
#include <cmath>
#include <optional>
#include <sstream>
#include <string_view>

#include "nec/model/decimal_chars.hpp"
#include "nec/model/deck.hpp"
#include "nec/model/solver_failure.hpp"

namespace Nec2 {
namespace {

// A row of the input parameters: tag, segment, then voltage, current,
// impedance and admittance (real and imaginary each) and power.
constexpr std::size_t kInputRowNumbers = 11;

// The printed frequency has five significant digits.
constexpr double kFrequencyTolerance = 1e-4;

// The numbers of a line from its start, each read from where the last one
// ended: that also splits values printed without a blank between them
// (1.2E+01-5.0E+02), as FORTRAN builds of NEC2 print them.
std::vector<double> numbersIn(std::string_view line) {
  std::vector<double> numbers;
  const char* at = line.data();
  const char* end = at + line.size();
  while (true) {
    while (at < end && (*at == ' ' || *at == '\t' || *at == '\r')) ++at;
    double value = 0.0;
    const char* read = DecimalChars::read(at, end, value);
    if (read == at) return numbers;
    numbers.push_back(value);
    at = read;
  }
}

std::string upperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

struct InputBlock {
  std::optional<double> printedFrequencyMhz;
  std::vector<std::vector<double>> rows;
};

struct Blocks {
  std::vector<InputBlock> inputs;
  std::vector<PowerBudget> budgets;
};

// A budget line's value, keyed by the words before its '='.
void readBudgetLine(const std::string& upper, std::string_view line, PowerBudget& budget) {
  std::size_t equals = line.find('=');
  std::vector<double> value = numbersIn(line.substr(equals + 1));
  if (value.empty()) return;
  if (upper.find("INPUT POWER") != std::string::npos) budget.inputW = value[0];
  if (upper.find("RADIATED POWER") != std::string::npos) budget.radiatedW = value[0];
  if (upper.find("STRUCTURE LOSS") != std::string::npos) budget.structureLossW = value[0];
  if (upper.find("NETWORK LOSS") != std::string::npos) budget.networkLossW = value[0];
}

// The blocks in the order of the report, found by their titles in any case
// (FORTRAN builds decorate them differently).
Blocks findBlocks(const std::string& report) {
  enum class Reading { nothing, inputRows, budget } reading = Reading::nothing;
  Blocks blocks;
  std::optional<double> frequency;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) {
    const std::string upper = upperCase(line);
    const std::size_t mark = upper.find_first_of(":=", upper.find("FREQUENCY"));
    if (upper.find("FREQUENCY") != std::string::npos && mark != std::string::npos) {
      std::vector<double> value = numbersIn(std::string_view(line).substr(mark + 1));
      if (!value.empty()) frequency = value[0];
    }
    if (upper.find("ANTENNA INPUT PARAMETERS") != std::string::npos) {
      blocks.inputs.push_back({frequency, {}});
      reading = Reading::inputRows;
    } else if (upper.find("POWER BUDGET") != std::string::npos) {
      blocks.budgets.emplace_back();
      reading = Reading::budget;
    } else if (reading == Reading::inputRows) {
      // The headings hold no numbers; the rows end at the first line after
      // them that holds none.
      std::vector<double> numbers = numbersIn(line);
      if (!numbers.empty()) blocks.inputs.back().rows.push_back(numbers);
      if (numbers.empty() && !blocks.inputs.back().rows.empty()) reading = Reading::nothing;
    } else if (reading == Reading::budget) {
      if (line.find('=') == std::string::npos) {
        if (line.find_first_not_of(" \t\r") != std::string::npos) reading = Reading::nothing;
      } else {
        readBudgetLine(upper, line, blocks.budgets.back());
      }
    }
  }
  return blocks;
}

[[noreturn]] void incomplete(const std::string& reason, const std::string& report) {
  throw SolverFailed(SolverFailed::Cause::incompleteReport,
                     "nec2c's report is incomplete: " + reason, lastLines(report, 12));
}

void checkCounts(const Blocks& blocks, const Sweep& sweep, const std::string& report) {
  const auto frequencies = static_cast<std::size_t>(sweep.count);
  if (blocks.inputs.size() != frequencies || blocks.budgets.size() != frequencies) {
    incomplete(std::to_string(blocks.inputs.size()) + " input parameter blocks and " +
                   std::to_string(blocks.budgets.size()) + " power budgets for " +
                   std::to_string(sweep.count) +
                   " frequencies (a card may have been skipped, or the run cut short)",
               report);
  }
}

// The feed row of one frequency's block, checked against the frequency and
// the feed's wire.
std::complex<double> feedImpedance(const InputBlock& block, double frequencyMhz,
                                   const Segment& feed, const std::string& report) {
  const std::string at = " at " + deckNumber(frequencyMhz) + " MHz";
  if (!block.printedFrequencyMhz ||
      std::fabs(*block.printedFrequencyMhz / frequencyMhz - 1.0) > kFrequencyTolerance) {
    incomplete("no input parameters" + at + " (a frequency card may have been skipped)", report);
  }
  if (block.rows.size() != 1 || block.rows[0].size() != kInputRowNumbers) {
    incomplete("not one readable feed row" + at, report);
  }
  const std::vector<double>& row = block.rows[0];
  if (row[0] != feed.wire)
    incomplete("the source is not on wire " + std::to_string(feed.wire), report);
  return {row[6], row[7]};
}

}  // namespace

double PowerBudget::efficiency() const { return (inputW - structureLossW - networkLossW) / inputW; }

std::vector<Solution> readReport(const std::string& report, const Sweep& sweep,
                                 const Segment& feed) {
  const Blocks blocks = findBlocks(report);
  checkCounts(blocks, sweep, report);
  std::vector<Solution> solutions;
  for (int i = 0; i < sweep.count; ++i) {
    const double frequency = sweep.frequencyMhz(i);
    const auto at = static_cast<std::size_t>(i);
    if (blocks.budgets[at].inputW <= 0.0) incomplete("a power budget without its input", report);
    solutions.push_back(
        {frequency, feedImpedance(blocks.inputs[at], frequency, feed, report), blocks.budgets[at]});
  }
  return solutions;
}

}  // namespace Nec2
