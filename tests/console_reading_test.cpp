// How typed lines are cut into numbers and answers, through the dialogue
// operations of a small probe program fed on a pipe.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>

#include "test_support/process.hpp"
#include "test_support/report.hpp"

namespace {

struct ProbeRun {
  std::string output;
  int exitCode;
};

ProbeRun probe(const std::string& input, std::vector<std::string> operations) {
  ProcessOptions options;
  options.arguments = std::move(operations);
  ProcessResult result = runProcess(probePath("console_probe"), input, options);
  EXPECT_EQ(result.signal, 0);
  return {result.output, result.exitCode};
}

std::string real(double value) {
  char line[32];
  std::snprintf(line, sizeof line, "R %016llX\r\n",
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
  return line;
}

// The output ends with a well-formed report of that number on a line of its own.
bool endsWithReport(const std::string& output, int number) {
  Report report = reportIn(output);
  return report.number == number &&
         (report.textBefore.empty() || report.textBefore.ends_with("\r\n"));
}

TEST(ReadReal, SkipsBlankLinesAndTakesOneNumberPerLine) {
  ProbeRun run = probe("\n   \n 42\n3.5 4.5\n7\n", {"R", "R", "R"});
  EXPECT_EQ(run.output, real(42) + real(3.5) + real(7));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ReadReal, RestOfTheLineIsDiscarded) {
  ProbeRun run = probe("7.1 MHz\r\n8\r\n", {"R", "R"});
  EXPECT_EQ(run.output, real(7.1) + real(8));
}

TEST(ReadReal, MinusZeroAndTinyValues) {
  ProbeRun run = probe("-0\n1e-400\n4.9e-324\n", {"R", "R", "R"});
  EXPECT_EQ(run.output, real(-0.0) + real(0.0) + real(4.9e-324));
}

TEST(ReadReal, InvalidTokensEndWithError106) {
  for (const char* line :
       {"1,5", "abc", "1e", "--1", "7.1\x81\x40MHz", "\xef\xbc\x91", "7.1MHz", "1\x1a"}) {
    ProbeRun run = probe(std::string(line) + "\n", {"R", "R"});
    EXPECT_EQ(run.exitCode, 106) << line;
    EXPECT_TRUE(endsWithReport(run.output, 106)) << line;
  }
}

TEST(ReadReal, ValuesBeyondTheDoubleRangeEndWithError205) {
  for (const char* line : {"1e400", "-1e309", "1e-10000", "0e10000", "1e4931"}) {
    ProbeRun run = probe(std::string(line) + "\n", {"R"});
    EXPECT_EQ(run.exitCode, 205) << line;
    EXPECT_TRUE(endsWithReport(run.output, 205)) << line;
  }
}

TEST(ReadReal, EndOfInputAfterSkippedLineEndsGivesZero) {
  EXPECT_EQ(probe("\n", {"R"}).output, real(0));
  EXPECT_EQ(probe("   ", {"R"}).output, real(0));
}

TEST(ReadReal, EndOfInputWithNothingSkippedIsError106) {
  // The line end of the previous answer was taken by that answer.
  ProbeRun run = probe("7.05\n", {"R", "R"});
  EXPECT_TRUE(run.output.starts_with(real(7.05)));
  EXPECT_EQ(run.exitCode, 106);
  EXPECT_EQ(probe("", {"R"}).exitCode, 106);
}

TEST(ReadReal, CtrlZWhereTheTokenShouldBeginIsError106) {
  EXPECT_EQ(probe("\x1a", {"R"}).exitCode, 106);
  EXPECT_EQ(probe("\n \x1a"
                  "5\n",
                  {"R"})
                .exitCode,
            106);
}

TEST(ReadReal, TokenIsCutAfter255Bytes) {
  std::string digits(300, '1');
  ProbeRun run = probe(digits + "\n2\n", {"R", "R"});
  long double value = 0;
  for (int i = 0; i < 255; ++i) value = value * 10.0L + 1.0L;
  EXPECT_EQ(run.output, real(static_cast<double>(value)) + real(2));
}

TEST(ReadInteger, ReadsTheLowSixteenBits) {
  ProbeRun run = probe("65537\n65536\n32768\n$10\n%101\n&17\n0x1F\n-7\n",
                       {"I", "I", "I", "I", "I", "I", "I", "I"});
  EXPECT_EQ(run.output, "I 1\r\nI 0\r\nI -32768\r\nI 16\r\nI 5\r\nI 15\r\nI 31\r\nI -7\r\n");
}

TEST(ReadInteger, EndOfInputOrCtrlZGivesZero) {
  EXPECT_EQ(probe("", {"I"}).output, "I 0\r\n");
  EXPECT_EQ(probe("\n\n", {"I"}).output, "I 0\r\n");
  EXPECT_EQ(probe("\x1a"
                  "5\n",
                  {"I", "I"})
                .output,
            "I 0\r\nI 0\r\n");
}

TEST(ReadInteger, OutOfRangeOrNotAnIntegerIsError106) {
  EXPECT_EQ(probe("2147483648\n", {"I"}).exitCode, 106);
  EXPECT_EQ(probe("1.0\n", {"I"}).exitCode, 106);
}

TEST(ReadAnswerChar, FirstByteOfTheLineUnchanged) {
  ProbeRun run = probe(" n\nno\n\r\nY\n", {"A", "A", "A", "A", "A"});
  EXPECT_EQ(run.output, "A 20\r\nA 6E\r\nA 0D\r\nA 59\r\nA 1A\r\n");
}

TEST(ReadAnswerChar, EmptyLineEndingInLfOnlyConsumesThatLine) {
  ProbeRun run = probe("\nN\n", {"A", "A"});
  EXPECT_EQ(run.output, "A 0A\r\nA 4E\r\n");
}

TEST(LineDiscard, CrLfCrAndLfEachEndOneLine) {
  ProbeRun run = probe("1 x\r\n2 x\r3 x\n4\n", {"R", "R", "R", "R"});
  EXPECT_EQ(run.output, real(1) + real(2) + real(3) + real(4));
}

TEST(LineDiscard, CrLfSplitAcrossReadBlocksIsOneLineEnd) {
  // 255 bytes then CR ends the first 256-byte block; its LF opens the next.
  std::string line(255, 'x');
  ProbeRun run = probe(line + "\r\nY\n", {"W", "A"});
  EXPECT_EQ(run.output, "W\r\nA 59\r\n");
}

TEST(WaitForReturn, WaitsForANewLineAfterAnAnswerWithExtraText) {
  ProbeRun run = probe("5 extra words\nignored line\n6\n", {"R", "W", "R"});
  EXPECT_EQ(run.output, real(5) + "W\r\n" + real(6));
}

TEST(WaitForReturn, ReturnsAtOnceAtTheEndAndStopsAtCtrlZ) {
  EXPECT_EQ(probe("", {"W", "W"}).output, "W\r\nW\r\n");
  ProbeRun run = probe(
      "ab\x1a"
      "cd\n",
      {"W", "A"});
  EXPECT_EQ(run.output, "W\r\nA 1A\r\n");
}

TEST(EndOfInput, IsPermanent) {
  ProbeRun run = probe("", {"A", "W", "I", "A"});
  EXPECT_EQ(run.output, "A 1A\r\nW\r\nI 0\r\nA 1A\r\n");
}

}  // namespace
