#include "nec/texts/design_files.hpp"

#include "nec/design/menu_one_coil.hpp"
#include "nec/search/helix_check.hpp"
#include "nec/search/solver_figures.hpp"
#include "nec/texts/maa_file.hpp"
#include "nec/texts/number_text.hpp"
#include "nec/texts/sweep_csv.hpp"
#include "nec/texts/written_decks.hpp"

namespace DesignFiles {
namespace {

MaaFile::Material materialOf(Nec2::Conductor conductor) {
  switch (conductor) {
    case Nec2::Conductor::copper: return MaaFile::Material::copper;
    case Nec2::Conductor::aluminium: return MaaFile::Material::aluminium;
    case Nec2::Conductor::perfect: return MaaFile::Material::lossless;
  }
  return MaaFile::Material::lossless;
}

}  // namespace

std::string deck(const CheckedDesign& c) {
  const WholeCheck::Outcome& o = c.outcome;
  return o.wound ? WrittenDecks::wound(o.check, *o.wound, c.design)
                 : WrittenDecks::lumped(o.check, c.design, o.figures.necInductanceUh);
}

// NEC2's coil once it has run, menu 1's until then, as the comment says.
std::string maa(const CheckedDesign& c, std::string_view version) {
  const Checked::Design& d = c.design;
  const Results::Figures& f = c.outcome.figures;
  const bool resonated = f.necInductanceUh.has_value();
  // Menu 1's coil as its screen shows it, to 4 decimals.
  const double inductanceUh =
      resonated ? *f.necInductanceUh : MenuOneCoil::shownUh(*f.menu1InductanceUh);
  const std::string writtenBy = "Written by tanshuku-nec " + std::string(version) + ".";
  const std::string comment =
      std::string(resonated ? "Coil resonated by NEC2"
                            : "Coil from menu 1's formula, not resonated by NEC2") +
      " (" + NumberText::shortest(inductanceUh) + " uH), coil Q " + NumberText::shortest(d.q) +
      ". " + writtenBy;
  MaaFile::Design design{d.frequencyMhz,          d.lengthM,    d.diameterMm / 2000.0,
                         d.loading.tipM(),        inductanceUh, d.q,
                         materialOf(d.conductor), d.dipole,     comment};
  if (const std::optional<HelixCheck::WoundCoil>& wound = c.outcome.wound) {
    const Nec2::Straightened model =
        Nec2::straightened(Nec2::structureOf(HelixCheck::elementOf(c.outcome.check, *wound, d)));
    design.woundWires = model.wires;
    design.feedWire = model.feedWire;
    design.comment = "The coil wound as a helix of " + NumberText::shortest(*f.helixTurns) +
                     " turns, resonated by NEC2, written as its straight segments. " + writtenBy;
  }
  return MaaFile::text(design);
}

std::vector<Bandwidth::Point> sweep(const CheckedDesign& c) {
  const SolverCheck::Check& check = c.outcome.check;
  if (!check.results) return {};
  return SolverFigures::feedSweep(check.results->sweep, c.design);
}

double matchedOhm(const CheckedDesign& c) {
  return c.outcome.figures.feedResistanceOhm.value_or(Bandwidth::kCableOhm);
}

std::optional<std::string> sweepCsv(const CheckedDesign& c) {
  const std::vector<Bandwidth::Point> points = sweep(c);
  if (points.empty()) return std::nullopt;
  return SweepCsv::text(points, matchedOhm(c));
}

}  // namespace DesignFiles
