// Runs the conductor impedance model without its dialogue. Input: the number
// of calculations, then for each one line each: 1 to clear the base values
// first (0 to keep them), the length in wavelengths, the characteristic
// impedance. Output: the model's own lines, then R and X of each calculation
// on a line of their own.
#include "calculators/impedance/impedance_model.hpp"
#include "console/console_io.hpp"
#include "console/run_time_error.hpp"

int main() {
  RunTime::setUpFaultHandling();
  ConsoleIo::open();
  const int calculations = ConsoleIo::readInteger();
  for (int i = 0; i < calculations; ++i) {
    const bool clearFirst = ConsoleIo::readInteger() != 0;
    const double electricalLength = ConsoleIo::readReal();
    const double elementImpedance = ConsoleIo::readReal();
    if (clearFirst) ImpedanceModel::clearBaseValues();
    ImpedanceModel::setElement(electricalLength, elementImpedance);
    ImpedanceModel::normaliseLengths();
    ImpedanceModel::resistanceCurve();
    ImpedanceModel::reactanceCurve();
    ImpedanceModel::adjustForElement();
    const ImpedanceModel::Quantities model = ImpedanceModel::quantities();
    ConsoleIo::writeFixed(model.feedResistance, 10, 2);
    ConsoleIo::writeFixed(model.feedReactance, 10, 2);
    ConsoleIo::writeLine("");
  }
  RunTime::endProgram(0);
}
