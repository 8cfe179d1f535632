#include "nec/texts/maa_file.hpp"

#include <vector>

#include "nec/texts/number_text.hpp"

namespace MaaFile {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// MMANA-GAL's own automatic segmentation line, as its saved models carry it.
constexpr std::string_view kSegmentation = "800, 80, 2.0, 2";
// Reference resistance 50 Ω, the azimuth and elevation ranges of the
// front-to-back figure, no reference reactance.
constexpr std::string_view kReferences = "50.0, 120, 60, 0.0";
// Segments denser at both ends, chosen by MMANA-GAL.
constexpr int kAutomaticSegments = -1;

struct Wire {
  double z1;
  double z2;
};

std::string number(double value) { return NumberText::plainDecimal(value); }

// The coil's height above the feed.
double coilHeightM(const Design& d) { return d.tipM ? d.elementLengthM - *d.tipM : 0.0; }
bool coilAtMiddle(const Design& d) { return d.tipM && *d.tipM * 2.0 == d.elementLengthM; }

std::vector<Wire> wiresOf(const Design& d) {
  const double length = d.elementLengthM;
  const double coil = coilHeightM(d);
  if (d.dipole) {
    if (!d.tipM) return {{-length, length}};
    return {{-length, -coil}, {-coil, coil}, {coil, length}};
  }
  if (!d.tipM || coilAtMiddle(d)) return {{0.0, length}};
  return {{0.0, coil}, {coil, length}};
}

std::string feedOf(const Design& d) {
  if (!d.woundWires.empty()) return "w" + std::to_string(d.feedWire) + (d.dipole ? "c" : "b");
  return d.dipole && d.tipM ? "w2c" : d.dipole ? "w1c" : "w1b";
}

// The coils' places and inductances: both of a base-loaded dipole's coils
// stand at its feed, in series.
std::vector<std::pair<std::string, double>> loadsOf(const Design& d) {
  if (!d.woundWires.empty()) return {};
  const double inductance = d.coilInductanceUh;
  if (d.dipole) {
    if (!d.tipM) return {{"w1c", 2.0 * inductance}};
    return {{"w2b", inductance}, {"w2e", inductance}};
  }
  if (!d.tipM) return {{"w1b", inductance}};
  return {{coilAtMiddle(d) ? "w1c" : "w2b", inductance}};
}

int materialCode(Material material) {
  switch (material) {
    case Material::lossless: return 0;
    case Material::copper: return 1;     // copper wire
    case Material::aluminium: return 3;  // aluminium wire
  }
  return 0;
}

void line(std::string& out, std::string_view text) {
  out += text;
  out += kLineEnd;
}

std::string titleOf(const Design& d) {
  using NumberText::shortest;
  std::string title = shortest(d.dipole ? 2.0 * d.elementLengthM : d.elementLengthM) +
                      (d.dipole ? " m dipole, " : " m vertical, ") +
                      (d.woundWires.empty() ? shortest(d.coilInductanceUh) + " uH coil"
                                            : std::string("wound coil"));
  if (d.dipole) title += " in each half";
  if (d.tipM) {
    title += " " + shortest(*d.tipM) + (d.dipole ? " m from each tip" : " m below tip");
  } else {
    title += " at the feed";
  }
  title += d.material == Material::copper      ? ", Cu wire"
           : d.material == Material::aluminium ? ", Al wire"
                                               : ", lossless wire";
  title += d.dipole ? ", free space" : ", perfect ground";
  return title;
}

// The wound model's wires: a wire of one segment is written with that one,
// the others with MMANA-GAL's own segmentation.
void writeWoundWires(std::string& out, const Design& d) {
  line(out, "***Wires***");
  line(out, std::to_string(d.woundWires.size()));
  for (const Nec2::Wire& w : d.woundWires) {
    line(out, number(w.x1) + ", " + number(w.y1) + ", " + number(w.z1) + ", " + number(w.x2) +
                  ", " + number(w.y2) + ", " + number(w.z2) + ", " + number(w.radiusM) + ", " +
                  std::to_string(w.segments == 1 ? 1 : kAutomaticSegments));
  }
}

void writeWires(std::string& out, const Design& d) {
  if (!d.woundWires.empty()) return writeWoundWires(out, d);
  const std::vector<Wire> wires = wiresOf(d);
  line(out, "***Wires***");
  line(out, std::to_string(wires.size()));
  for (const Wire& wire : wires) {
    line(out, "0.0, 0.0, " + number(wire.z1) + ", 0.0, 0.0, " + number(wire.z2) + ", " +
                  number(d.wireRadiusM) + ", " + std::to_string(kAutomaticSegments));
  }
}

void writeSourceAndLoads(std::string& out, const Design& d) {
  line(out, "***Source***");
  line(out, "1, 0");
  line(out, feedOf(d) + ", 0.0, 1.0");  // phase, then volts
  const auto loads = loadsOf(d);
  line(out, "***Load***");
  line(out, std::to_string(loads.size()) + ", 0");
  for (const auto& [place, inductance] : loads) {
    line(out, place + ", 0, " + number(inductance) + ", 0.0, " + number(d.coilQ.value_or(0.0)));
  }
}

}  // namespace

std::string text(const Design& d) {
  std::string out;
  line(out, titleOf(d));
  line(out, "*");
  line(out, number(d.frequencyMhz));
  writeWires(out, d);
  writeSourceAndLoads(out, d);
  line(out, "***Segmentation***");
  line(out, kSegmentation);
  line(out, "***G/H/M/R/AzEl/X***");
  line(out, std::string(d.dipole ? "0" : "1") + ", 0.0, " +
                std::to_string(materialCode(d.material)) + ", " + std::string(kReferences));
  line(out, "###Comment###");
  line(out, d.comment);
  return out;
}

}  // namespace MaaFile
