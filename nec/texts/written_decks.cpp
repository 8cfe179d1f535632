#include "nec/texts/written_decks.hpp"

#include "nec/model/deck.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/texts/number_text.hpp"

namespace WrittenDecks {

std::string lumped(const SolverCheck::Check& check, const Checked::Design& d,
                   std::optional<double> reportedUh) {
  Nec2::LoadedElement e = check.resonated;
  if (!d.dipole) e.groundLossOhm = d.groundLossOhm;
  Nec2::Structure structure = Nec2::structureOf(e);
  const std::string where = d.loading.tipM()
                                ? NumberText::shortest(*d.loading.tipM()) + " m below the tip"
                                : std::string("at the base");
  std::string coil = ", no coil: the element needs none";
  if (e.coil) {
    const double deckUh = e.coil->inductanceH * 1e6;
    coil = ", resonated by NEC2 at " + std::to_string(e.segments) + " segments" +
           (d.dipole ? " a half" : "") + " with " + NumberText::shortest(deckUh) + " uH" +
           (d.dipole ? " a side" : "") + ", Q " + NumberText::shortest(d.q);
    if (reportedUh &&
        NumberText::withDecimals(*reportedUh, 2) != NumberText::withDecimals(deckUh, 2)) {
      coil += "; the coil reported, " + NumberText::withDecimals(*reportedUh, 2) +
              " uH, is where the segment series tends";
    }
  }
  structure.comment =
      "tanshuku-nec: " + NumberText::shortest(d.lengthM) + " m of " +
      NumberText::shortest(d.diameterMm) + " mm wire at " + NumberText::shortest(d.frequencyMhz) +
      " MHz, " + (d.dipole ? "each half of a centre-fed dipole" : "a whip over perfect ground") +
      ", the coil " + where + coil;
  return Nec2::deck(structure);
}

std::string wound(const SolverCheck::Check& check, const HelixCheck::WoundCoil& wound,
                  const Checked::Design& d) {
  const Nec2::HelixElement e = HelixCheck::elementOf(check, wound, d);
  Nec2::Structure structure = Nec2::structureOf(e);
  using NumberText::shortest;
  structure.comment =
      "tanshuku-nec: " + shortest(d.lengthM) + " m of " + shortest(d.diameterMm) + " mm wire at " +
      shortest(d.frequencyMhz) + " MHz, " +
      (d.dipole ? "each half of a centre-fed dipole" : "a whip over perfect ground") +
      ", the coil wound as a helix of " + shortest(e.helix.turns()) + " turns (" +
      std::to_string(HelixLimits::kSegmentsPerTurn) + " segments a turn), radius " +
      shortest(d.winding->radiusMm) + " mm to the wire's centre, pitch " +
      shortest(d.winding->pitchMm) + " mm, wire " + shortest(d.winding->wireMm) +
      " mm, resonated by NEC2; the straight wire runs on the coil's radius";
  const std::string reported = NumberText::withDecimals(HelixCheck::reportedTurns(wound), 1);
  if (reported != NumberText::withDecimals(e.helix.turns(), 1)) {
    structure.comment += "; the turns reported, " + reported + ", are those that resonate at " +
                         std::to_string(HelixLimits::kFinerSegmentsPerTurn) + " segments a turn";
  }
  return Nec2::deck(structure);
}

}  // namespace WrittenDecks
