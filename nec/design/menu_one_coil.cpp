#include "nec/design/menu_one_coil.hpp"

#include "arithmetic/stored.hpp"
#include "calculators/loading_coil/loading_coil_formulas.hpp"
#include "console/fixed_format.hpp"
#include "console/number_syntax.hpp"

namespace MenuOneCoil {

// Menu 1's result line writes the inductance in a field of 8 with 4 decimals.
constexpr int kScreenWidth = 8;
constexpr int kScreenDecimals = 4;

double inductanceUh(double elementDiameterMm, double elementLengthM, double frequencyMhz,
                    std::optional<double> tipM) {
  const LoadingCoilFormulas::BaseLoading base =
      LoadingCoilFormulas::baseLoading(elementDiameterMm, elementLengthM, frequencyMhz);
  double coilInductanceH = base.coilInductanceH;
  if (tipM) {
    coilInductanceH = LoadingCoilFormulas::centreLoadingInductanceH(coilInductanceH, elementLengthM,
                                                                    frequencyMhz, *tipM);
  }
  return LoadingCoilFormulas::coilInductanceUh(coilInductanceH);
}

std::string screenText(double inductanceUh) {
  const FixedFormat::Text text = FixedFormat::format(inductanceUh, kScreenWidth, kScreenDecimals);
  std::string_view number = text.view();
  number.remove_prefix(number.find_first_not_of(' '));
  return std::string(number);
}

double shownUh(double inductanceUh) {
  return stored(*NumberSyntax::parseReal(screenText(inductanceUh)));
}

}  // namespace MenuOneCoil
