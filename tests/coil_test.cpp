// The coil formulas at their worked values and bounds, and the help screen's
// restart as a loop.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#include "arithmetic/extended.hpp"
#include "calculators/coil/coil_formulas.hpp"
#include "test_support/process.hpp"
#include "test_support/transcript.hpp"

namespace {

using namespace CoilFormulas;

// The results compared at double precision, where GoogleTest compares them.
double asDouble(Extended value) { return static_cast<double>(value); }

TEST(CoilFormulas, NagaokaCoefficientAndItsSignChange) {
  EXPECT_NEAR(asDouble(nagaokaCoefficient(0.01, 0.02)), 1.0 / 1.445, 1e-15);
  EXPECT_NEAR(asDouble(nagaokaCoefficient(0.1, 0.002)), -0.25, 1e-15);
  // 1 + 0.9 x − 0.02 x² changes sign at x = 46.08495…
  EXPECT_GT(nagaokaCoefficient(0.046084, 0.001), 0.0L);
  EXPECT_LT(nagaokaCoefficient(0.046085, 0.001), 0.0L);
}

TEST(CoilFormulas, RoundWireCorrectionTerms) {
  // 2.3 × log10, not ln: with ln 10 as the factor A would be 0.32498.
  EXPECT_NEAR(asDouble(wireCorrectionA(0.0008, 0.001)), 0.32461, 0.000005);
  EXPECT_NEAR(asDouble(wireCorrectionA(0.0008, 0.0005)), 1.01698, 0.000005);
  EXPECT_NEAR(asDouble(wireCorrectionB(27.0)), 0.30664, 0.000005);
}

TEST(CoilFormulas, TurnsAndInductanceAreInverseForAnyCore) {
  double k = asDouble(nagaokaCoefficient(0.01, 0.02));
  for (double permeability : {1.0, 4.0, 2000.0}) {
    Extended inductance = currentSheetInductance(0.01, 0.02, 27.0, k, permeability);
    EXPECT_NEAR(asDouble(turnsForInductance(asDouble(inductance), 0.01, 0.02, k, permeability)),
                27.0, 1e-12)
        << "permeability " << permeability;
  }
  EXPECT_EQ(currentSheetInductance(0.01, 0.02, 27.0, k, 4.0),
            4.0L * currentSheetInductance(0.01, 0.02, 27.0, k, 1.0));
}

// Compares the next bytes of the file with the expected ones.
bool readsAs(std::ifstream& file, const std::string& expected) {
  std::string actual(expected.size(), '\0');
  file.read(actual.data(), static_cast<std::streamsize>(actual.size()));
  return file.gcount() == static_cast<std::streamsize>(expected.size()) && actual == expected;
}

// Each radius of 0 shows the help screen and starts over from the banner. A
// nested call per visit would exhaust the stack long before the last one.
TEST(CoilCalculator, HundredThousandHelpVisitsInOneRun) {
  constexpr int kVisits = 100000;
  const std::string blankLine = " \r\n";
  const std::string visit =
      screenOutput("coil_banner") +
      toShiftJis("コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     ") +
      blankLine + screenOutput("coil_help");
  // After the visits, the turns-mode dialogue runs to its end and back to the menu.
  Transcript finish = readTranscript(std::string(TANSHUKU_TRANSCRIPT_DIR) + "/coil/turns_mode.t");
  const std::string menuAndChoice = screenOutput("menu") + blankLine;
  ASSERT_TRUE(finish.input.starts_with("2\n"));
  ASSERT_TRUE(finish.expectedOutput.starts_with(menuAndChoice));

  std::string input = "2\n";
  for (int i = 0; i < kVisits; ++i) input += "0\n\n";
  input += finish.input.substr(2);

  std::string outputPath = testing::TempDir() + "coil_help_visits.out";
  ProcessOptions options;
  options.stdoutPath = outputPath;
  options.timeoutSeconds = 60;
  auto started = std::chrono::steady_clock::now();
  ProcessResult result = runProcess(programPath(), input, options);
  auto elapsed = std::chrono::steady_clock::now() - started;

  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_LT(elapsed, std::chrono::seconds(20));

  std::ifstream file(outputPath, std::ios::binary);
  ASSERT_TRUE(readsAs(file, menuAndChoice));
  for (int i = 0; i < kVisits; ++i) {
    ASSERT_TRUE(readsAs(file, visit)) << "help visit " << i;
  }
  EXPECT_TRUE(readsAs(file, finish.expectedOutput.substr(menuAndChoice.size())));
  EXPECT_EQ(file.peek(), std::char_traits<char>::eof());
  file.close();
  std::remove(outputPath.c_str());
}

}  // namespace
