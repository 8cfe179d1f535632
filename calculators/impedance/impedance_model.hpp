// Feed-point impedance of a straight conductor fed at one end (a whip), from
// an empirical model: two curves give the resistance and the reactance of a
// 300-ohm reference element over a normalised length, and a last step scales
// them to the real element. Meant for 0.1 to 0.63 wavelength.
#pragma once

#include <array>
#include <optional>

#include "arithmetic/extended.hpp"

namespace ImpedanceModel {

// The element: its length in wavelengths and its characteristic impedance.
struct Element {
  double electricalLength;  // w, wavelengths
  double elementImpedance;  // Z, ohms
};

// The lengths at which the two curves are read, in wavelengths.
struct NormalisedLengths {
  double resistanceLength;       // p
  double cappedReactanceLength;  // m: u before its correction, at most 0.6
  double reactanceLength;        // u
};

// The reference element's resistance and reactance at the normalised lengths.
struct BaseValues {
  double resistance;  // q, ohms
  double reactance;   // x, ohms
};

// What the model gives for the element: R + jX at its feed point.
struct FeedImpedance {
  double resistance;  // R, ohms
  double reactance;   // X, ohms
};

// Step 1: the element's length as each curve sees it.
NormalisedLengths normalise(Element element);

// One piece of a curve: its formula, for the lengths above `lower` up to the
// bound of the piece before it.
struct CurvePiece {
  Extended lower;
  Extended (*formula)(Extended length);
};

// The pieces of the two curves from the top down. Above 0.8 wavelength and
// at or below the last piece's bound a curve does not reach.
extern const std::array<CurvePiece, 7> kResistancePieces;
extern const std::array<CurvePiece, 7> kReactancePieces;

// Step 2: the two curves, the base value at a normalised length or nothing
// where the curve does not reach.
std::optional<double> baseResistanceAt(double resistanceLength);
std::optional<double> baseReactanceAt(double reactanceLength);

// Step 3: the base values scaled to the element.
FeedImpedance adjust(Element element, double resistanceLength, BaseValues base);

// Every quantity of one calculation.
struct Calculation {
  NormalisedLengths lengths;
  BaseValues base;
  FeedImpedance feed;
};

// The steps in their order. A curve that does not reach contributes a base
// value of 0, and `unsupported()` is called for it, before the adjustment:
// the scaling can overflow and end the program.
template <typename Unsupported>
Calculation calculate(Element element, Unsupported unsupported) {
  const NormalisedLengths lengths = normalise(element);
  const std::optional<double> resistance = baseResistanceAt(lengths.resistanceLength);
  if (!resistance) unsupported();
  const std::optional<double> reactance = baseReactanceAt(lengths.reactanceLength);
  if (!reactance) unsupported();
  const BaseValues base{resistance.value_or(0.0), reactance.value_or(0.0)};
  return {lengths, base, adjust(element, lengths.resistanceLength, base)};
}

}  // namespace ImpedanceModel
