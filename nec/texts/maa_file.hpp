// The design as an MMANA-GAL model (.maa, the sectioned layout): the wires,
// the feed, the coil as a series L load with its Q, the segmentation, the
// ground and the wire material, CRLF line ends.
//
// A monopole stands on perfect ground from z = 0, fed at its base. With the
// coil at the base or at the wire's middle the element is one wire and the
// coil sits on its first (b) or middle (c) segment; anywhere else the
// element is two wires joined at the coil, which sits on the first segment
// of the upper wire. A dipole lies along z in free space, fed at its centre:
// one wire with both coils together at the feed for base loading, else three
// wires joined at the two coils, which sit on the ends of the middle wire.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nec/model/structure.hpp"

namespace MaaFile {

enum class Material { lossless, copper, aluminium };

struct Design {
  double frequencyMhz;
  double elementLengthM;  // the monopole, or one half of the dipole
  double wireRadiusM;
  std::optional<double> tipM;  // from the tip to the coil; empty for base loading
  double coilInductanceUh;
  std::optional<double> coilQ;  // empty: a lossless coil (written as Q 0)
  Material material;
  bool dipole;
  std::string comment;  // the free text of the last section, one line
  // A model with its coil wound, as straight wires (MMANA-GAL knows no
  // helix): written in place of the element's wires and the coil's load,
  // with the source on the first segment of the wire named, or on its
  // middle one for a dipole.
  std::vector<Nec2::Wire> woundWires = {};
  int feedWire = 1;
};

// The file's bytes.
std::string text(const Design& design);

}  // namespace MaaFile
