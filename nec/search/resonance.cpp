#include "nec/search/resonance.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace Resonance {
namespace {

// Inductances are solved for in microhenries, where the coefficients of the
// reactance's sign polynomial are of moderate size.
constexpr double kHenriesPerMicrohenry = 1e-6;

// A pivot this much smaller than the largest coefficient leaves the system
// without a solution worth the name.
constexpr double kSingularPivot = 1e-12;

using Row = std::array<Complex, 4>;  // three coefficients and the right side

// Gaussian elimination with partial pivoting on the 3 × 3 system.
std::optional<std::array<Complex, 3>> solve(std::array<Row, 3> rows) {
  double largest = 0.0;
  for (const Row& row : rows) {
    for (std::size_t column = 0; column < 3; ++column) {
      largest = std::max(largest, std::abs(row[column]));
    }
  }
  for (std::size_t column = 0; column < 3; ++column) {
    auto pivot = std::max_element(
        rows.begin() + static_cast<std::ptrdiff_t>(column), rows.end(),
        [&](const Row& x, const Row& y) { return std::abs(x[column]) < std::abs(y[column]); });
    if (std::abs((*pivot)[column]) <= kSingularPivot * largest) return std::nullopt;
    std::swap(rows[column], *pivot);
    for (std::size_t below = column + 1; below < 3; ++below) {
      const Complex factor = rows[below][column] / rows[column][column];
      for (std::size_t k = column; k < 4; ++k) rows[below][k] -= factor * rows[column][k];
    }
  }
  std::array<Complex, 3> solution;
  for (std::size_t column = 3; column-- > 0;) {
    Complex sum = rows[column][3];
    for (std::size_t k = column + 1; k < 3; ++k) sum -= rows[column][k] * solution[k];
    solution[column] = sum / rows[column][column];
  }
  return solution;
}

// The roots of A x² + B x + C, in increasing order; none where the
// polynomial has no sign change (no real roots, or a double root).
std::optional<std::pair<double, double>> quadraticRoots(double a, double b, double c) {
  if (a == 0.0) {
    if (b == 0.0) return std::nullopt;
    return std::pair{-c / b, -c / b};
  }
  const double discriminant = b * b - 4.0 * a * c;
  if (!(discriminant > 0.0)) return std::nullopt;
  const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
  const double first = q / a;
  const double second = q != 0.0 ? c / q : -first;
  return std::pair{std::min(first, second), std::max(first, second)};
}

}  // namespace

std::optional<Bilinear> fitBilinear(const std::array<Sample, 3>& samples) {
  // a Z_L + b − c Z_L Z = Z for each sample.
  std::array<Row, 3> rows;
  for (size_t i = 0; i < 3; ++i) {
    const auto [load, feed] = samples[i];
    rows[i] = {load, 1.0, -load * feed, feed};
  }
  const std::optional<std::array<Complex, 3>> abc = solve(rows);
  if (!abc) return std::nullopt;
  return Bilinear{(*abc)[0], (*abc)[1], (*abc)[2]};
}

Complex Coil::impedanceOhm(double inductanceH) const {
  const double reactance = 2.0 * std::numbers::pi * frequencyMhz * 1e6 * inductanceH;
  return {q ? reactance / *q : 0.0, reactance};
}

Complex feedImpedanceOhm(const Bilinear& feed, const Coil& coil, double inductanceH) {
  return feed(coil.impedanceOhm(inductanceH));
}

// With Z_L = k L, Z(L) = (α L + b) ÷ (γ L + 1), α = a k, γ = c k. Its
// reactance has the sign of Im((α L + b) · conj(γ L + 1)) = A L² + B L + C,
// whose roots are the resonances (the reactance turns from − to +) and the
// parallel resonances (+ to −, through the pole); C = Im b is the reactance
// without a coil.
Resonances firstResonance(const Bilinear& feed, const Coil& coil) {
  const Complex k = coil.impedanceOhm(kHenriesPerMicrohenry);
  const Complex alpha = feed.a * k;
  const Complex gamma = feed.c * k;
  const double a = (alpha * std::conj(gamma)).imag();
  const double b = (alpha + feed.b * std::conj(gamma)).imag();
  const double c = feed.b.imag();
  if (c >= 0.0) return {Resonances::Outcome::needsNoCoil, std::nullopt, std::nullopt};
  const std::optional<std::pair<double, double>> roots = quadraticRoots(a, b, c);
  // From C < 0 the polynomial rises through its first positive root: with
  // A > 0 that is the larger root, with A < 0 the smaller, and the larger
  // is then the parallel resonance; a linear one has one root.
  if (!roots || roots->second <= 0.0) {
    return {Resonances::Outcome::noCoilResonates, std::nullopt, std::nullopt};
  }
  Resonances found{Resonances::Outcome::coilResonates, std::nullopt, std::nullopt};
  if (a < 0.0) {
    found.seriesH = roots->first * kHenriesPerMicrohenry;
    found.parallelH = roots->second * kHenriesPerMicrohenry;
  } else {
    found.seriesH = roots->second * kHenriesPerMicrohenry;
  }
  return found;
}

}  // namespace Resonance
