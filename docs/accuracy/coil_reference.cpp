#include "docs/accuracy/coil_reference.hpp"

#include <cmath>
#include <numbers>

namespace CoilReference {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// e_k for strips of unit width k apart: ln k - ln g_k, with
// ln g_k = ((k+1)^2 ln(k+1) + (k-1)^2 ln(k-1) - 2 k^2 ln k) / 2 - 3/2,
// written with log1p so that it keeps its precision for large k.
long double stripDistanceCorrection(long double k) {
  if (k == 1.0L) return 1.5L - 2.0L * std::log(2.0L);
  long double lnRatioOfMeans = ((k + 1.0L) * (k + 1.0L) * std::log1p(1.0L / k) +
                                (k - 1.0L) * (k - 1.0L) * std::log1p(-1.0L / k)) /
                                   2.0L -
                               1.5L;
  return -lnRatioOfMeans;
}

// Maxwell's mutual inductance of two coaxial rings of radius r, d apart:
// M = mu0 r ((2/k - k) K(k) - (2/k) E(k)), k^2 = 4 r^2 / (4 r^2 + d^2).
long double coaxialRingsMutualInductance(long double radiusM, long double distanceM) {
  long double k =
      std::sqrt(4.0L * radiusM * radiusM / (4.0L * radiusM * radiusM + distanceM * distanceM));
  return magneticConstant() * radiusM *
         ((2.0L / k - k) * std::comp_ellint_1(k) - 2.0L / k * std::comp_ellint_2(k));
}

// Self-inductance of a ring of round wire with uniform current,
// mu0 r (ln(8 r / rho) - 7/4) for a wire radius rho much smaller than r.
long double ringSelfInductance(long double radiusM, long double wireRadiusM) {
  return magneticConstant() * radiusM * (std::log(8.0L * radiusM / wireRadiusM) - 1.75L);
}

}  // namespace

long double magneticConstant() { return 4.0L * kPi * 1e-7L; }

// K = 4 / (3 pi k') ((k'^2 / k^2) (K(k) - E(k)) + E(k) - k),
// k^2 = 4 r^2 / (4 r^2 + l^2) = 4 x^2 / (4 x^2 + 1), k' = sqrt(1 - k^2).
long double nagaokaCoefficient(long double radiusToLength) {
  long double x = radiusToLength;
  long double kSquared = 4.0L * x * x / (4.0L * x * x + 1.0L);
  long double k = std::sqrt(kSquared);
  long double kPrimeSquared = 1.0L / (4.0L * x * x + 1.0L);
  long double firstKind = std::comp_ellint_1(k);
  long double secondKind = std::comp_ellint_2(k);
  return 4.0L / (3.0L * kPi * std::sqrt(kPrimeSquared)) *
         (kPrimeSquared / kSquared * (firstKind - secondKind) + secondKind - k);
}

long double currentSheetInductance(long double radiusM, long double lengthM, long double turns) {
  return magneticConstant() * kPi * radiusM * radiusM * turns * turns *
         nagaokaCoefficient(radiusM / lengthM) / lengthM;
}

long double selfInductanceCorrection(long double wireDiameterM, long double pitchM) {
  return 1.25L - std::log(2.0L * pitchM / wireDiameterM);
}

long double mutualInductanceCorrection(long double turns) {
  long double sum = 0.0L;
  for (long double k = 1.0L; k < turns; k += 1.0L) {
    sum += (turns - k) * stripDistanceCorrection(k);
  }
  return 2.0L / turns * sum;
}

long double roundWireInductance(const Coil& coil) {
  long double g = selfInductanceCorrection(coil.wireDiameterM, coil.pitchM);
  long double h = mutualInductanceCorrection(coil.turns);
  return currentSheetInductance(coil.radiusM, coil.lengthM(), coil.turns) -
         magneticConstant() * coil.radiusM * coil.turns * (g + h);
}

long double ringSumInductance(const Coil& coil) {
  long double total = coil.turns * ringSelfInductance(coil.radiusM, coil.wireDiameterM / 2.0L);
  for (long double k = 1.0L; k < coil.turns; k += 1.0L) {
    total += 2.0L * (coil.turns - k) * coaxialRingsMutualInductance(coil.radiusM, k * coil.pitchM);
  }
  return total;
}

long double turnsForInductance(long double wantedInductanceH, long double radiusM,
                               long double lengthM, long double wireDiameterM) {
  auto inductanceWith = [&](long double turns) {
    return roundWireInductance({radiusM, lengthM / turns, wireDiameterM, turns});
  };
  // L grows with N from below the wanted value at one turn; double the upper
  // bound until it lies above, then halve the bracket to the last bit.
  long double low = 1.0L;
  long double high = 2.0L;
  while (inductanceWith(high) < wantedInductanceH) {
    low = high;
    high *= 2.0L;
  }
  for (int step = 0; step < 128 && high - low > 1e-15L * high; ++step) {
    long double middle = (low + high) / 2.0L;
    (inductanceWith(middle) < wantedInductanceH ? low : high) = middle;
  }
  return (low + high) / 2.0L;
}

long double currentSheetTurns(long double wantedInductanceH, long double radiusM,
                              long double lengthM) {
  return std::sqrt(
      wantedInductanceH * lengthM /
      (magneticConstant() * kPi * radiusM * radiusM * nagaokaCoefficient(radiusM / lengthM)));
}

}  // namespace CoilReference
