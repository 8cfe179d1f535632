// A design as the checks take it: complete and checked, in the program's
// units, nothing left open. The command line makes one from its options
// (or the questions' answers) once they pass their checks; the checks,
// the report and the files take nothing else of the command line.
#pragma once

#include <optional>

#include "nec/design/coil_as_wound.hpp"
#include "nec/model/loaded_element.hpp"

namespace Checked {

// Where the coil sits: at the feed (the element's base, or the dipole's
// middle), or a distance below the element's tip.
class Loading {
 public:
  static Loading atFeed() { return Loading(std::nullopt); }
  static Loading belowTip(double tipM) { return Loading(tipM); }

  // From the tip to the coil; none at the feed. Menu 1's and menu 4's
  // formulas take it so.
  std::optional<double> tipM() const { return tipM_; }
  // The coil's height above the feed on an element of that length.
  double heightM(double elementLengthM) const { return tipM_ ? elementLengthM - *tipM_ : 0.0; }

 private:
  explicit Loading(std::optional<double> tipM) : tipM_(tipM) {}
  std::optional<double> tipM_;
};

// How the coil is modelled where its measures are given: as wound (a
// helix) up to the size run by default, as wound up to the hard limit
// (--helix), or lumped only (--lumped).
enum class CoilModel { asWound, forcedAsWound, lumped };

struct Design {
  double frequencyMhz;
  double lengthM;     // of the element, or of each half of a dipole
  double diameterMm;  // of the element's wire or tube
  Loading loading;
  double q;  // the coil's
  Nec2::Conductor conductor;
  double groundLossOhm;  // in series at a whip's feed; 0 for a dipole
  bool dipole;           // one half of a centre-fed dipole
  // Menu 2's measures of the coil, where given: the turns to wind.
  std::optional<CoilAsWound::Measures> winding;
  CoilModel coilModel;
};

}  // namespace Checked
