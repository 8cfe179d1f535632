// Feed-point impedance of a straight conductor fed at one end (a whip), from
// an empirical model: two curves give the resistance and the reactance of a
// 300-ohm reference element over a normalised length, and a last step scales
// them to the real element. Meant for 0.1 to 0.63 wavelength.
#pragma once

#include <optional>

namespace ImpedanceModel {

// Sets both base values to 0. Called at the start of every calculation, so a
// length outside a curve contributes 0 instead of a value some earlier,
// unrelated calculation left behind.
void clearBaseValues();

// The element: its length in wavelengths and its characteristic impedance.
void setElement(double lengthInWavelengths, double characteristicOhms);

// The four steps, always all of them, in this order.
void normaliseLengths();
void resistanceCurve();
void reactanceCurve();
void adjustForElement();

// The one-line apology for a length the model does not cover.
void reportUnsupportedRange();

// The two reference curves: the base value at a normalised length, or
// nothing where the curve does not reach.
std::optional<double> baseResistanceAt(double resistanceLength);
std::optional<double> baseReactanceAt(double reactanceLength);

// The model's quantities as they stand after the last step that ran.
struct Quantities {
  double electricalLength;
  double elementImpedance;
  double resistanceLength;
  double reactanceLength;
  double cappedReactanceLength;
  double baseResistance;
  double baseReactance;
  double feedResistance;
  double feedReactance;
};
Quantities quantities();

}  // namespace ImpedanceModel
