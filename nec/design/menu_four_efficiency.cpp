#include "nec/design/menu_four_efficiency.hpp"

#include "calculators/efficiency/efficiency_formulas.hpp"
#include "console/fixed_format.hpp"

namespace MenuFourEfficiency {

// Menu 4's decibel line: a field of 5 with 2 decimals.
constexpr int kScreenWidth = 5;
constexpr int kScreenDecimals = 2;

double efficiencyDb(double elementLengthM, double frequencyMhz, std::optional<double> tipM) {
  const double nearLoadingPointM = tipM ? stored(Extended{elementLengthM} - *tipM) : 0.0;
  const double farLoadingPointM = tipM ? *tipM : elementLengthM;
  const EfficiencyFormulas::Element element{frequencyMhz, nearLoadingPointM, farLoadingPointM};
  const EfficiencyFormulas::SectionAngles angles = EfficiencyFormulas::sectionAngles(element);
  const EfficiencyFormulas::CurrentSums sums = EfficiencyFormulas::sumCurrents(angles);
  return EfficiencyFormulas::efficiencyDb(EfficiencyFormulas::efficiency(sums));
}

std::string screenText(double efficiencyDb) {
  const FixedFormat::Text text = FixedFormat::format(efficiencyDb, kScreenWidth, kScreenDecimals);
  std::string_view number = text.view();
  number.remove_prefix(number.find_first_not_of(' '));
  return std::string(number);
}

}  // namespace MenuFourEfficiency
