// The syntax of typed numbers and the values built from them.
#include "console/number_syntax.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "arithmetic/maths.hpp"

namespace {

using NumberSyntax::parseInteger;
using NumberSyntax::parseReal;

TEST(RealSyntax, AcceptsSignDigitsPointAndExponent) {
  EXPECT_EQ(parseReal("12"), 12.0L);
  EXPECT_EQ(parseReal("-0.5"), -0.5L);
  EXPECT_EQ(parseReal(".5"), 0.5L);
  EXPECT_EQ(parseReal("5."), 5.0L);
  EXPECT_EQ(parseReal("1e3"), 1000.0L);
  EXPECT_EQ(parseReal("+2.5E-2"), 2.5L / 100.0L);
  EXPECT_EQ(parseReal("007"), 7.0L);
}

TEST(RealSyntax, RefusesAnythingElse) {
  for (const char* token : {"1,5", "abc", "1e", "--1", "0x10", "12m", ".", "-", "+.", "e5", "1e+",
                            "1.2.3", "1e5.0", "\xef\xbc\x91\xef\xbc\x92", "7.1\x81\x40MHz"}) {
    EXPECT_FALSE(parseReal(token)) << token;
  }
}

TEST(RealSyntax, MinusZeroIsNegativeZero) {
  std::optional<Extended> value = parseReal("-0");
  ASSERT_TRUE(value);
  EXPECT_EQ(*value, 0.0L);
  EXPECT_TRUE(Arithmetic::signbit(*value));
}

TEST(RealSyntax, ValueIsBuiltDigitByDigitInExtendedPrecision) {
  // 0.1 is 1 / 10 in extended precision, which rounds to the double 0.1.
  EXPECT_EQ(*parseReal("0.1"), 1.0L / 10.0L);
  EXPECT_EQ(static_cast<double>(*parseReal("7.05")), 7.05);
  EXPECT_EQ(*parseReal("2.5e-2"), 2.5L / 100.0L);
  // A negative exponent divides by the power of ten.
  EXPECT_EQ(*parseReal("3e-1"), 3.0L / 10.0L);
}

// Whether a value beyond the range overflows: the x87's masked result is
// infinite, the software type raises the fault itself.
#if TANSHUKU_EXTENDED_IN_SOFTWARE
bool overflows(auto compute) {
  Arithmetic::setFaultHandler([](Arithmetic::Fault fault, const void*) { throw fault; });
  bool overflowed = false;
  try {
    compute();
  } catch (Arithmetic::Fault fault) {
    overflowed = fault == Arithmetic::Fault::overflow;
  }
  Arithmetic::setFaultHandler(nullptr);
  return overflowed;
}
#else
bool overflows(auto compute) { return std::isinf(compute()); }
#endif

TEST(RealSyntax, HugeAndTinyValuesAreLeftToTheStore) {
  EXPECT_TRUE(overflows([] { return static_cast<double>(*parseReal("1e400")); }));
  EXPECT_EQ(static_cast<double>(*parseReal("1e-400")), 0.0);
  EXPECT_GT(*parseReal("1e4931"), 1e4930L);
  // Past 10^4930 the second power overflows while it is built (with the
  // traps of the program this is run-time error 205, tested through it).
  EXPECT_TRUE(overflows([] { return *parseReal("1e99999999999999999999"); }));
}

TEST(IntegerSyntax, DecimalAndPrefixedBases) {
  EXPECT_EQ(parseInteger("16"), 16);
  EXPECT_EQ(parseInteger("-7"), -7);
  EXPECT_EQ(parseInteger("+7"), 7);
  EXPECT_EQ(parseInteger("$10"), 16);
  EXPECT_EQ(parseInteger("x1f"), 31);
  EXPECT_EQ(parseInteger("X1F"), 31);
  EXPECT_EQ(parseInteger("0x1F"), 31);
  EXPECT_EQ(parseInteger("0X1f"), 31);
  EXPECT_EQ(parseInteger("%101"), 5);
  EXPECT_EQ(parseInteger("&17"), 15);
  EXPECT_EQ(parseInteger("0007"), 7);
}

TEST(IntegerSyntax, ThirtyTwoBitRanges) {
  EXPECT_EQ(parseInteger("2147483647"), 2147483647);
  EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
  EXPECT_FALSE(parseInteger("2147483648"));
  EXPECT_FALSE(parseInteger("-2147483649"));
  EXPECT_EQ(parseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(parseInteger("-$80000000"), -2147483647 - 1);
  EXPECT_EQ(parseInteger("-$FFFFFFFF"), 1);
  EXPECT_FALSE(parseInteger("$100000000"));
  EXPECT_FALSE(parseInteger("99999999999999999999999"));
}

TEST(IntegerSyntax, RefusesAnythingElse) {
  for (const char* token :
       {"1.0", "abc", "$", "0x", "%2", "&8", "1e3", "--1", "+-1", "$-1", "12m", "\xef\xbc\x91"}) {
    EXPECT_FALSE(parseInteger(token)) << token;
  }
}

TEST(IntegerSyntax, OnlyTheLowSixteenBitsCount) {
  EXPECT_EQ(NumberSyntax::low16Bits(65537), 1);
  EXPECT_EQ(NumberSyntax::low16Bits(65536), 0);
  EXPECT_EQ(NumberSyntax::low16Bits(32768), -32768);
  EXPECT_EQ(NumberSyntax::low16Bits(65535), -1);
  EXPECT_EQ(NumberSyntax::low16Bits(65542), 6);
  EXPECT_EQ(NumberSyntax::low16Bits(-2147483647 - 1), 0);
}

}  // namespace
