// The fixed-point format of the result lines.
#include "console/fixed_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string fixed(double value, int width, int decimals) {
  return std::string(FixedFormat::format(value, width, decimals).view());
}

TEST(FixedFormat, AlignsRightAndGrowsInsteadOfCutting) {
  EXPECT_EQ(fixed(1.5, 6, 2), "  1.50");
  EXPECT_EQ(fixed(-1.5, 6, 2), " -1.50");
  EXPECT_EQ(fixed(123456.789, 6, 2), "123456.79");
  EXPECT_EQ(fixed(0.0, 6, 2), "  0.00");
  EXPECT_EQ(fixed(27.0697, 8, 4), " 27.0697");
  EXPECT_EQ(fixed(-10.68, 5, 2), "-10.68");
}

TEST(FixedFormat, SignBitGivesMinusEvenForZero) {
  EXPECT_EQ(fixed(-0.0, 6, 2), " -0.00");
  EXPECT_EQ(fixed(-0.004, 6, 2), " -0.00");
  EXPECT_EQ(fixed(0.004, 6, 2), "  0.00");
}

TEST(FixedFormat, RoundsHalfUpAfterTheCorrection) {
  // These lie just below the decimal half in binary; the correction rounds
  // them up as a user expects.
  EXPECT_EQ(fixed(1.005, 0, 2), "1.01");
  EXPECT_EQ(fixed(2.675, 0, 2), "2.68");
  EXPECT_EQ(fixed(0.125, 0, 2), "0.13");
  EXPECT_EQ(fixed(0.006, 0, 2), "0.01");
  EXPECT_EQ(fixed(0.004, 0, 2), "0.00");
  EXPECT_EQ(fixed(-2.675, 0, 2), "-2.68");
  EXPECT_EQ(fixed(0.0005, 0, 3), "0.001");
  EXPECT_EQ(fixed(0.00049, 0, 3), "0.000");
}

TEST(FixedFormat, CarriesIntoTheIntegerPart) {
  EXPECT_EQ(fixed(999.999, 0, 2), "1000.00");
  EXPECT_EQ(fixed(0.9999, 0, 3), "1.000");
  EXPECT_EQ(fixed(0.0999, 0, 2), "0.10");
  EXPECT_EQ(fixed(9.9996, 0, 3), "10.000");
}

TEST(FixedFormat, TakesAtMostFifteenSignificantDigits) {
  EXPECT_EQ(fixed(123456789012.34567, 0, 4), "123456789012.3460");
  EXPECT_EQ(fixed(1234567890123456.0, 0, 2), "1234567890123460.00");
  EXPECT_EQ(fixed(9999999999999999.0, 0, 2), "10000000000000000.00");
  EXPECT_EQ(fixed(0.1234567890123456789, 0, 15), "0.123456789012346");
}

TEST(FixedFormat, DecimalsAreCappedAtFifteen) {
  EXPECT_EQ(fixed(0.5, 0, 20), "0.500000000000000");
  EXPECT_EQ(fixed(2.5, 0, 0), "3");
  EXPECT_EQ(fixed(7.0, 3, 0), "  7");
}

TEST(FixedFormat, VeryLargeMagnitudesAreScientific) {
  EXPECT_EQ(fixed(1e36, 0, 2), " 1.00000000000000E+036");
  EXPECT_EQ(fixed(-1e36, 0, 2), "-1.00000000000000E+036");
  EXPECT_EQ(fixed(1.2345678901234567e200, 25, 4), "    1.23456789012346E+200");
  EXPECT_EQ(fixed(std::numeric_limits<double>::max(), 0, 2), " 1.79769313486232E+308");
  // Just below 10^36 the integer part still has 36 digits.
  EXPECT_EQ(fixed(1.23e35, 0, 2), "123000000000000000000000000000000000.00");
  // Rounding at the 15th digit may carry into a 37th digit.
  EXPECT_EQ(fixed(9.999999999999999e35, 0, 2), " 1.00000000000000E+036");
}

TEST(FixedFormat, TinyMagnitudesRoundToZero) {
  EXPECT_EQ(fixed(4.9e-324, 6, 2), "  0.00");
  EXPECT_EQ(fixed(1e-300, 0, 4), "0.0000");
}

}  // namespace
