#include "calculators/impedance/impedance_model.hpp"

#include <span>

#include "arithmetic/maths.hpp"
#include "arithmetic/stored.hpp"

namespace ImpedanceModel {
namespace {

constexpr Extended kLn2 = 0.693147180559945309417232121458176568L;  // ln 2
constexpr Extended kCurveTop = 0.8L;  // wavelengths: where both curves end

// Quadratic in Z, 0.46 at 300 and at 600 ohms: how much longer or shorter
// the element looks to the resistance curve than to the reference.
Extended lengthFactor(Extended z) { return z * -1.25e-6L * z + z * 0.001125L + 0.235L; }

// A thick element (low Z) gets a longer reactance length, a thin one a
// shorter one, before the correction above 0.39 wavelength.
double uncorrectedReactanceLength(Extended w, Extended z) {
  if (z > 300.0L) {
    return stored(w / (((z / 300.0L) * (z / 300.0L) - 1.0L) / 11.43L + 1.0L));
  }
  return stored(w / (1.0L - (1.0L - (z / 300.0L) * (z / 300.0L)) / 4.115L));
}

// a keeps the sign of 300 − Z: a thick element's length shrinks, a thin
// one's grows.
double correctedReactanceLength(Extended z, double u, double m) {
  if (Extended{u} > 0.39L) {
    const Extended a = (300.0L - z) * Arithmetic::fabs(300.0L - z) / 10000.0L;
    const Extended b = (Extended{m} - 0.39L) * u / 1.1L * 0.47L;
    return stored(u - a * b);
  }
  return u;
}

// Each piece is tested from the top. The stored length meets each bound in
// the extended format, so a length that equals a decimal bound to double
// precision falls on the side where its double lies.
std::optional<double> curveAt(std::span<const CurvePiece> pieces, double length) {
  const Extended l = length;
  if (l > kCurveTop) return std::nullopt;
  for (const CurvePiece& piece : pieces) {
    if (l > piece.lower) return stored(piece.formula(l));
  }
  return std::nullopt;
}

// Both terms are divided by 0.42, also below 0.3 wavelength, so there R
// drops to 5/7 of the blend.
double blendShortResistance(Extended p, Extended q, double r) {
  const double blended = p < 0.42L ? stored((0.42L - p) * q / 0.42L + r * p / 0.42L) : r;
  return p < 0.3L ? stored((0.3L - p) * q / 0.42L + blended * p / 0.42L) : blended;
}

double resistanceOfThinElement(Extended z, double r) {
  if (z > 400.0L && Extended{r} < 0.0L) return stored(r / (1.0L - (500.0L - z) / 100.0L * 0.4L));
  return r;
}

double reactanceOfShortElement(Extended w, Extended z, double x) {
  if (w < 0.25L && z > 300.0L) {
    return stored(x /
                  ((z - 300.0L) * (z - 300.0L) / 120.0L / 150.0L * (0.25L - w) * 6.6666L + 1.0L));
  }
  if (w < 0.25L && z < 300.0L) {
    return stored(((z - 300.0L) * (z - 300.0L) / 150.0L / 150.0L * (0.25L - w) * 6.6666L + 1.0L) *
                  x);
  }
  return x;
}

}  // namespace

constexpr std::array<CurvePiece, 7> kResistancePieces = {{
    {0.6109L, [](Extended p) { return p * -1125.0L + 765.0L; }},
    {0.5476L, [](Extended p) { return p * -2667.0L + 1707.0L; }},
    {0.48011L, [](Extended p) { return p * -5210.5L + 3100.0L; }},
    {0.43041L, [](Extended p) { return (p - 0.46L) * -40000.0L * (p - 0.46L) + 600.0L; }},
    {0.39406L, [](Extended p) { return p * 6826.0L - 2355.0L; }},
    {0.34L, [](Extended p) { return p * 4235.0L - 1334.0L; }},
    {0.01L, [](Extended p) { return p * 2852.0L * p * p; }},
}};

constexpr std::array<CurvePiece, 7> kReactancePieces = {{
    {0.515L, [](Extended u) { return u * 1750.0L - 1290.0L; }},
    {0.5L, [](Extended u) { return (u - 0.51L) * 200000.0L * (u - 0.51L) - 400.0L; }},
    {0.4643L, [](Extended u) { return u * -8000.0L + 3620.0L; }},
    {0.415L, [](Extended u) { return u * -6600.0L + 2970.0L; }},
    {0.37L, [](Extended u) { return (u - 0.39L) * -50000.0L * (u - 0.39L) + 280.0L; }},
    {0.15L, [](Extended u) { return u * 2170.0L - 510.0L; }},
    {0.01L, [](Extended u) { return (u * 2170.0L - 510.0L) - (0.15L - u) * 1600.0L; }},
}};

NormalisedLengths normalise(Element element) {
  const Extended w = element.electricalLength;
  const Extended z = element.elementImpedance;
  const double resistanceLength = stored(w * 0.46L / lengthFactor(z));
  const double uncorrected = uncorrectedReactanceLength(w, z);
  const double capped = Extended{uncorrected} > 0.6L ? stored(0.6L) : uncorrected;
  const double reactanceLength = correctedReactanceLength(z, uncorrected, capped);
  return {resistanceLength, capped, reactanceLength};
}

std::optional<double> baseResistanceAt(double resistanceLength) {
  return curveAt(kResistancePieces, resistanceLength);
}

std::optional<double> baseReactanceAt(double reactanceLength) {
  return curveAt(kReactancePieces, reactanceLength);
}

FeedImpedance adjust(Element element, double resistanceLength, BaseValues base) {
  const Extended w = element.electricalLength;
  const Extended z = element.elementImpedance;
  const double scaledResistance =
      stored(Arithmetic::exp(kLn2 * (z / 100.0L - 1.0L)) * base.resistance / 4.0L);
  const double blendedResistance =
      blendShortResistance(resistanceLength, base.resistance, scaledResistance);
  const double scaledReactance =
      stored(Arithmetic::exp(kLn2 * (z - 200.0L) * 1.1L / 100.0L) * base.reactance * 0.4665L);
  const double resistance = resistanceOfThinElement(z, blendedResistance);
  const double reactance = reactanceOfShortElement(w, z, scaledReactance);
  return {resistance, reactance};
}

}  // namespace ImpedanceModel
