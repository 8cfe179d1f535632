#include "nec/texts/sweep_csv.hpp"

#include "nec/texts/number_text.hpp"

namespace SweepCsv {

std::string text(std::span<const Bandwidth::Point> sweep, double matchedReferenceOhm) {
  using NumberText::withDecimals;
  std::string out = "frequency_mhz,resistance_ohm,reactance_ohm,swr_matched,swr_50_ohm\n";
  for (const Bandwidth::Point& point : sweep) {
    const double matched =
        Bandwidth::swr(point.resistanceOhm, point.reactanceOhm, matchedReferenceOhm);
    const double cable =
        Bandwidth::swr(point.resistanceOhm, point.reactanceOhm, Bandwidth::kCableOhm);
    out += withDecimals(point.frequencyMhz, 6) + "," + withDecimals(point.resistanceOhm, 4) + "," +
           withDecimals(point.reactanceOhm, 4) + "," + withDecimals(matched, 4) + "," +
           withDecimals(cable, 4) + "\n";
  }
  return out;
}

}  // namespace SweepCsv
