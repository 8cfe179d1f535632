#include "nec/cli/outputs.hpp"

#include <vector>

#include "nec/design/menu_one_coil.hpp"
#include "nec/host/posix/swr_plot.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/helix_check.hpp"
#include "nec/search/solver_figures.hpp"
#include "nec/texts/maa_file.hpp"
#include "nec/texts/number_text.hpp"
#include "nec/texts/sweep_csv.hpp"
#include "nec/texts/written_decks.hpp"

namespace Outputs {
namespace {

MaaFile::Material materialOf(Nec2::Conductor conductor) {
  switch (conductor) {
    case Nec2::Conductor::copper: return MaaFile::Material::copper;
    case Nec2::Conductor::aluminium: return MaaFile::Material::aluminium;
    case Nec2::Conductor::perfect: return MaaFile::Material::lossless;
  }
  return MaaFile::Material::lossless;
}

// The deck of the resonated design: the coil as wound where it ran.
FileOutput::Outcome writeDeck(const std::string& file, const CheckedDesign& c) {
  const WholeCheck::Outcome& o = c.outcome;
  const std::string deck = o.wound
                               ? WrittenDecks::wound(o.check, *o.wound, c.design)
                               : WrittenDecks::lumped(o.check, c.design, o.figures.necInductanceUh);
  return FileOutput::writeWhole(file, deck);
}

// The model with the coil that the figures know: NEC2's once it has run,
// menu 1's until then, as its comment says.
FileOutput::Outcome writeMaa(const std::string& file, const CheckedDesign& c) {
  const Checked::Design& d = c.design;
  const Results::Figures& f = c.outcome.figures;
  const bool resonated = f.necInductanceUh.has_value();
  // Menu 1's coil as its screen shows it, to 4 decimals.
  const double inductanceUh =
      resonated ? *f.necInductanceUh : MenuOneCoil::shownUh(*f.menu1InductanceUh);
  const std::string comment =
      std::string(resonated ? "Coil resonated by NEC2"
                            : "Coil from menu 1's formula, not resonated by NEC2") +
      " (" + NumberText::shortest(inductanceUh) + " uH), coil Q " + NumberText::shortest(d.q) +
      ". Written by tanshuku-nec " TANSHUKU_VERSION ".";
  MaaFile::Design design{d.frequencyMhz,          d.lengthM,    d.diameterMm / 2000.0,
                         d.loading.tipM(),        inductanceUh, d.q,
                         materialOf(d.conductor), d.dipole,     comment};
  if (const std::optional<HelixCheck::WoundCoil>& wound = c.outcome.wound) {
    const Nec2::Straightened model =
        Nec2::straightened(Nec2::structureOf(HelixCheck::elementOf(c.outcome.check, *wound, d)));
    design.woundWires = model.wires;
    design.feedWire = model.feedWire;
    design.comment = "The coil wound as a helix of " + NumberText::shortest(*f.helixTurns) +
                     " turns, resonated by NEC2, written as its straight segments. Written by "
                     "tanshuku-nec " TANSHUKU_VERSION ".";
  }
  return FileOutput::writeWhole(file, MaaFile::text(design));
}

// The feed's sweep about resonance, where the check has one; none is
// written where the element needed no coil.
std::vector<Bandwidth::Point> sweepOf(const CheckedDesign& c) {
  const SolverCheck::Check& check = c.outcome.check;
  if (!check.results) return {};
  return SolverFigures::feedSweep(check.results->sweep, c.design);
}

double matchedOhm(const CheckedDesign& c) {
  return c.outcome.figures.feedResistanceOhm.value_or(Bandwidth::kCableOhm);
}

FileOutput::Outcome writeSweep(const std::string& file, const CheckedDesign& c) {
  const std::vector<Bandwidth::Point> sweep = sweepOf(c);
  if (sweep.empty()) return {};
  return FileOutput::writeWhole(file, SweepCsv::text(sweep, matchedOhm(c)));
}

FileOutput::Outcome writePlot(const std::string& file, const CheckedDesign& c) {
  const std::vector<Bandwidth::Point> sweep = sweepOf(c);
  if (sweep.empty()) return {};
  return SwrPlot::write(file, sweep, matchedOhm(c));
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
