#include "nec/cli/outputs.hpp"

#include <optional>
#include <string>
#include <vector>

#include "nec/host/posix/swr_plot.hpp"
#include "nec/search/bandwidth.hpp"

namespace Outputs {
namespace {

FileOutput::Outcome writeDeck(const std::string& file, const CheckedDesign& c) {
  return FileOutput::writeWhole(file, DesignFiles::deck(c));
}

FileOutput::Outcome writeMaa(const std::string& file, const CheckedDesign& c) {
  return FileOutput::writeWhole(file, DesignFiles::maa(c, TANSHUKU_VERSION));
}

// None is written where the element needed no coil.
FileOutput::Outcome writeSweep(const std::string& file, const CheckedDesign& c) {
  const std::optional<std::string> csv = DesignFiles::sweepCsv(c);
  if (!csv) return {};
  return FileOutput::writeWhole(file, *csv);
}

FileOutput::Outcome writePlot(const std::string& file, const CheckedDesign& c) {
  const std::vector<Bandwidth::Point> sweep = DesignFiles::sweep(c);
  if (sweep.empty()) return {};
  return SwrPlot::write(file, sweep, DesignFiles::matchedOhm(c));
}

constexpr Output kOutputs[] = {
    {"--nec", "write the NEC2 deck of the design as resonated",
     "共振させた設計の NEC2 デッキを書き出します", writeDeck},
    {"--maa", "write the model for MMANA-GAL", "MMANA-GAL のモデルを書き出します", writeMaa},
    {"--sweep", "write the sweep about resonance as CSV", "共振付近の掃引を CSV で書き出します",
     writeSweep},
    {"--plot", "write the SWR plot (SVG, or PNG for a .png name)",
     "SWR のグラフを書き出します（SVG、名前が .png なら PNG）", writePlot},
    {"--json", "the results as one JSON object", "結果を一つの JSON オブジェクトで出力します",
     nullptr},
};

}  // namespace

std::span<const Output> all() { return kOutputs; }

const Output* named(std::string_view option) {
  for (const Output& output : kOutputs) {
    if (output.option == option) return &output;
  }
  return nullptr;
}

}  // namespace Outputs
