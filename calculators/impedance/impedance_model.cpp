#include "calculators/impedance/impedance_model.hpp"

#include <cmath>
#include <numbers>
#include <string_view>

#include "console/console_io.hpp"
#include "console/stored.hpp"

namespace ImpedanceModel {
namespace {

constexpr std::string_view kUnsupportedRange = "この範囲は計算をサポートしていません。御免なさい";
constexpr long double kLn2 = std::numbers::ln2_v<long double>;

double electricalLength = 0.0;       // w, wavelengths
double elementImpedance = 0.0;       // Z, ohms
double resistanceLength = 0.0;       // p, wavelengths
double reactanceLength = 0.0;        // u, wavelengths
double cappedReactanceLength = 0.0;  // m, wavelengths
double baseResistance = 0.0;         // q, ohms
double baseReactance = 0.0;          // x, ohms
double feedResistance = 0.0;         // R, ohms
double feedReactance = 0.0;          // X, ohms

// Quadratic in Z, 0.46 at 300 and at 600 ohms: how much longer or shorter
// the element looks to the resistance curve than to the reference.
long double lengthFactor() {
  const long double z = elementImpedance;
  return z * -1.25e-6L * z + z * 0.001125L + 0.235L;
}

// A thick element (low Z) gets a longer reactance length, a thin one a
// shorter one, before the correction above 0.39 wavelength.
double uncorrectedReactanceLength() {
  const long double w = electricalLength;
  const long double z = elementImpedance;
  if (z > 300.0L) {
    return stored(w / (((z / 300.0L) * (z / 300.0L) - 1.0L) / 11.43L + 1.0L));
  }
  return stored(w / (1.0L - (1.0L - (z / 300.0L) * (z / 300.0L)) / 4.115L));
}

// Both terms are divided by 0.42, also below 0.3 wavelength, so there R
// drops to 5/7 of the blend.
void blendShortResistance() {
  const long double p = resistanceLength;
  const long double q = baseResistance;
  if (p < 0.42L) {
    feedResistance = stored((0.42L - p) * q / 0.42L + feedResistance * p / 0.42L);
  }
  if (p < 0.3L) {
    feedResistance = stored((0.3L - p) * q / 0.42L + feedResistance * p / 0.42L);
  }
}

void shortenReactanceOfShortElement() {
  const long double z = elementImpedance;
  const long double w = electricalLength;
  if (w < 0.25L && z > 300.0L) {
    feedReactance =
        stored(feedReactance /
               ((z - 300.0L) * (z - 300.0L) / 120.0L / 150.0L * (0.25L - w) * 6.6666L + 1.0L));
  }
  if (w < 0.25L && z < 300.0L) {
    feedReactance =
        stored(((z - 300.0L) * (z - 300.0L) / 150.0L / 150.0L * (0.25L - w) * 6.6666L + 1.0L) *
               feedReactance);
  }
}

}  // namespace

void clearBaseValues() {
  baseResistance = 0.0;
  baseReactance = 0.0;
}

void setElement(double lengthInWavelengths, double characteristicOhms) {
  electricalLength = lengthInWavelengths;
  elementImpedance = characteristicOhms;
}

void normaliseLengths() {
  resistanceLength = stored(electricalLength * 0.46L / lengthFactor());
  reactanceLength = uncorrectedReactanceLength();
  cappedReactanceLength = reactanceLength > 0.6L ? stored(0.6L) : reactanceLength;
  if (reactanceLength > 0.39L) {
    // a keeps the sign of 300 − Z: a thick element's length shrinks, a thin
    // one's grows.
    const long double z = elementImpedance;
    const long double a = (300.0L - z) * fabsl(300.0L - z) / 10000.0L;
    const long double b = (cappedReactanceLength - 0.39L) * reactanceLength / 1.1L * 0.47L;
    reactanceLength = stored(reactanceLength - a * b);
  }
}

// Each piece covers (lower, upper], tested from the top. The stored length
// meets each bound in the extended format, so a length that equals a decimal
// bound to double precision falls on the side where its double lies.
std::optional<double> baseResistanceAt(double length) {
  const long double p = length;
  if (p > 0.8L) return std::nullopt;
  if (p > 0.6109L) return stored(p * -1125.0L + 765.0L);
  if (p > 0.5476L) return stored(p * -2667.0L + 1707.0L);
  if (p > 0.48011L) return stored(p * -5210.5L + 3100.0L);
  if (p > 0.43041L) return stored((p - 0.46L) * -40000.0L * (p - 0.46L) + 600.0L);
  if (p > 0.39406L) return stored(p * 6826.0L - 2355.0L);
  if (p > 0.34L) return stored(p * 4235.0L - 1334.0L);
  if (p > 0.01L) return stored(p * 2852.0L * p * p);
  return std::nullopt;
}

std::optional<double> baseReactanceAt(double length) {
  const long double u = length;
  if (u > 0.8L) return std::nullopt;
  if (u > 0.515L) return stored(u * 1750.0L - 1290.0L);
  if (u > 0.5L) return stored((u - 0.51L) * 200000.0L * (u - 0.51L) - 400.0L);
  if (u > 0.4643L) return stored(u * -8000.0L + 3620.0L);
  if (u > 0.415L) return stored(u * -6600.0L + 2970.0L);
  if (u > 0.37L) return stored((u - 0.39L) * -50000.0L * (u - 0.39L) + 280.0L);
  if (u > 0.15L) return stored(u * 2170.0L - 510.0L);
  if (u > 0.01L) return stored((u * 2170.0L - 510.0L) - (0.15L - u) * 1600.0L);
  return std::nullopt;
}

void resistanceCurve() {
  if (const auto q = baseResistanceAt(resistanceLength)) {
    baseResistance = *q;
  } else {
    reportUnsupportedRange();
  }
}

void reactanceCurve() {
  if (const auto x = baseReactanceAt(reactanceLength)) {
    baseReactance = *x;
  } else {
    reportUnsupportedRange();
  }
}

void adjustForElement() {
  const long double z = elementImpedance;
  feedResistance = stored(expl(kLn2 * (z / 100.0L - 1.0L)) * baseResistance / 4.0L);
  blendShortResistance();
  feedReactance = stored(expl(kLn2 * (z - 200.0L) * 1.1L / 100.0L) * baseReactance * 0.4665L);
  if (z > 400.0L && feedResistance < 0.0L) {
    feedResistance = stored(feedResistance / (1.0L - (500.0L - z) / 100.0L * 0.4L));
  }
  shortenReactanceOfShortElement();
}

void reportUnsupportedRange() { ConsoleIo::writeLine(kUnsupportedRange); }

Quantities quantities() {
  return {electricalLength, elementImpedance,      resistanceLength,
          reactanceLength,  cappedReactanceLength, baseResistance,
          baseReactance,    feedResistance,        feedReactance};
}

}  // namespace ImpedanceModel
