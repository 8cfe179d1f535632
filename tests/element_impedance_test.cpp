// The characteristic impedance of an element at the worked values of the
// calculators that use it, stored as they store it.
#include "calculators/element_impedance.hpp"

#include <gtest/gtest.h>

#include "arithmetic/stored.hpp"

namespace {

double impedance(double lengthM, double diameterMm) {
  return stored(Antenna::elementImpedance(lengthM, diameterMm));
}

TEST(ElementImpedance, WorkedValues) {
  EXPECT_NEAR(impedance(2, 10), 359.08, 0.005);
  EXPECT_NEAR(impedance(5, 20), 372.46, 0.005);
  EXPECT_NEAR(impedance(7.5, 10), 438.30, 0.005);
  // The dipole's stored quarter wave at 7.05 MHz gives the half wave's impedance.
  const double frequencyMhz = 7.05;
  EXPECT_NEAR(impedance(stored(300.0L / frequencyMhz / 4.0L), 2), 555.708, 0.0005);
}

TEST(ElementImpedance, TakesTheLengthNotTheDoubledLength) {
  // Twice the length equal to the diameter in metres: log10(1) = 0.
  EXPECT_EQ(impedance(0.25, 500), 0.0);
}

}  // namespace
