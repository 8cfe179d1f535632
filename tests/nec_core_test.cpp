// tanshuku-nec's portable core, as every build compiles it: the texts of
// its numbers, and the searches run on stand-in solvers.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "nec/model/decimal_chars.hpp"

namespace {

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
template <typename... Format>
std::string toChars(double value, Format... format) {
  char text[400];
  return {text, std::to_chars(text, text + sizeof text, value, format...).ptr};
}

const char* fromChars(const char* at, const char* end, double& value) {
  const std::from_chars_result result = std::from_chars(at, end, value);
  return result.ec == std::errc{} ? result.ptr : at;
}
#endif

// The C library's way to the texts must give the C++ library's texts, as
// the WebAssembly build takes it where its library has no to_chars.
TEST(NecCore, NumbersWrittenAndReadFromTheCLibraryAreTheCPlusPlusLibrarysOwn) {
#if !defined(__cpp_lib_to_chars) || __cpp_lib_to_chars < 201611L
  GTEST_SKIP() << "this C++ library has no floating-point to_chars to compare with";
#else
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.1,
                                7.05,
                                21.13,
                                1e16,
                                1e17,
                                1e22,
                                1e23,
                                123456789012345680000.0,
                                5e-324,
                                2.5e-5,
                                1e-7,
                                0.3,
                                2.0 / 3.0,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::min(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  // Every power of two, where a double's neighbours lie unevenly about it.
  for (int power = -1074; power <= 1023; ++power) values.push_back(std::ldexp(1.0, power));
  std::mt19937_64 random(20261210);
  for (int i = 0; i < 40000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (!std::isnan(value)) values.push_back(value);
  }
  std::uniform_real_distribution<double> design(0.0, 1000.0);
  for (int i = 0; i < 20000; ++i) values.push_back(design(random));
  int wrong = 0;
  for (double value : values) {
    const bool same =
        DecimalChars::fromC::shortest(value) == toChars(value) &&
        DecimalChars::fromC::shortestFixed(value) == toChars(value, std::chars_format::fixed) &&
        DecimalChars::fromC::fixed(value, 3) == toChars(value, std::chars_format::fixed, 3) &&
        DecimalChars::fromC::general(value, 9) == toChars(value, std::chars_format::general, 9);
    if (!same && ++wrong <= 5) {
      ADD_FAILURE() << toChars(value) << " as " << DecimalChars::fromC::shortest(value) << ", "
                    << DecimalChars::fromC::shortestFixed(value).substr(0, 40);
    }
  }
  EXPECT_EQ(wrong, 0);
  // Read as from_chars reads: where it ends, and nothing before a blank or
  // a '+', nor beyond a double.
  for (const std::string text : {"1.2E+01-5.0E+02", "-3.5e-2 rest", " 1", "+1", "-", "x", "1e999",
                                 "0x10", "inf", "12.", ".5e"}) {
    double viaC = -7.0;
    double viaCpp = -7.0;
    const char* end = text.data() + text.size();
    EXPECT_EQ(DecimalChars::fromC::read(text.data(), end, viaC) - text.data(),
              fromChars(text.data(), end, viaCpp) - text.data())
        << text;
    EXPECT_EQ(viaC, viaCpp) << text;
  }
#endif
}

}  // namespace
