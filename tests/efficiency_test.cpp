// Efficiency calculator: which guide screen a band count shows, what sets the
// three guide screens apart, the length check and the current sum at the
// section boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "calculators/efficiency/efficiency_formulas.hpp"
#include "console/fixed_format.hpp"
#include "test_support/output_lines.hpp"
#include "test_support/process.hpp"
#include "test_support/transcript.hpp"

namespace {

const std::string kBlankLine = " \r\n";

// Menu entry 4 with the given answers, Return after a guide, then 0 at the
// menu. Without a guide the empty line is skipped by the frequency question.
ProcessResult runEfficiency(const std::string& bandCount, const std::string& frequency,
                            const std::string& nearLength, const std::string& farLength) {
  return runProcess(programPath(), "4\n" + bandCount + "\n\n" + frequency + "\n" + nearLength +
                                       "\n" + farLength + "\n\n0\n");
}

// What the program writes between the band count's blank line and the three
// blank lines before the frequency question.
std::string guideShownFor(const std::string& bandCount) {
  std::string output = runEfficiency(bandCount, "7.05", "2.1", "3.3").output;
  std::string introduction = screenOutput("efficiency_introduction");
  size_t start = output.find(introduction);
  size_t question = output.find(toShiftJis("     周波数は　？ＭＨｚ　ですか？？     "));
  if (start == std::string::npos || question == std::string::npos) return "<no dialogue>";
  start += introduction.size() + kBlankLine.size();
  size_t end = question - 3 * kBlankLine.size();
  return end < start ? "<no dialogue>" : output.substr(start, end - start);
}

TEST(EfficiencyGuides, BandCountPicksTheGuideByItsLowSixteenBits) {
  const std::string single = screenOutput("efficiency_single_band_guide");
  const std::string twoBand = screenOutput("efficiency_two_band_guide");
  const std::string multiBand = screenOutput("efficiency_multi_band_guide");
  const struct {
    const char* bandCount;
    const std::string& guide;
  } cases[] = {
      {"1", single},    {"65537", single}, {"2", twoBand},   {"$10002", twoBand},
      {"3", multiBand}, {"5", multiBand},  {"8", multiBand},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bandCount);
    EXPECT_EQ(guideShownFor(c.bandCount), c.guide);
  }
  for (const char* none : {"0", "9", "-1", "65536", "32768"}) {
    SCOPED_TRACE(none);
    EXPECT_EQ(guideShownFor(none), "");
  }
}

TEST(EfficiencyGuides, DrawingsAndTheIntroductionCarryTheirSingleByteAndWaveDashBytes) {
  std::vector<std::string> single = linesOf(guideShownFor("1"));
  ASSERT_EQ(single.size(), 19u);  // 18 lines and what follows the last one's end
  // ﾛ is the half-width katakana byte 0xDB, ｺｲﾙ the bytes 0xBA 0xB2 0xD9.
  EXPECT_EQ(single[3], "    \xBA\xB2\xD9");
  EXPECT_EQ(single[4], "-----\xDB---------- " + toShiftJis("給電点") + " -----------\xDB-----");
  EXPECT_EQ(single[9], "---------------\xDB " + toShiftJis("給電点") + " \xDB----------------");
  EXPECT_EQ(single[13], "\xBA\xB2\xD9 ");
  EXPECT_EQ(single[14], "\xDB--------------- " + toShiftJis("給電点") + " ----------------\xDB");
  EXPECT_EQ(single[17], toShiftJis("リターンキーを押してください"));

  // "1～8": ASCII digits around the wave dash 0x81 0x60, one blank at the end.
  std::string output = runEfficiency("0", "7.05", "2.1", "3.3").output;
  EXPECT_NE(output.find(toShiftJis("ヘルプがでます") +
                        "\r\n1\x81\x60"
                        "8" +
                        toShiftJis("以外の数字を入力するとヘルプを飛ばして次に進みます ") +
                        "\r\n \r\n \r\n"),
            std::string::npos);
}

TEST(EfficiencyGuides, TheTwoTrapScreensDifferOnlyWhereTheirTextsDo) {
  std::vector<std::string> two = linesOf(guideShownFor("2"));
  std::vector<std::string> multi = linesOf(guideShownFor("3"));
  ASSERT_EQ(two.size(), 19u);
  ASSERT_EQ(multi.size(), 19u);

  // The drawing: TXout with one trap a side against 給電点 with two.
  EXPECT_NE(two[2].find(" TXout "), std::string::npos);
  EXPECT_NE(multi[2].find(" " + toShiftJis("給電点") + " "), std::string::npos);
  EXPECT_EQ(std::count(two[2].begin(), two[2].end(), '\xDB'), 2);
  EXPECT_EQ(std::count(multi[2].begin(), multi[2].end(), '\xDB'), 4);
  EXPECT_EQ(multi[2].substr(18, 6), fullWidthBlanks(1) + "    ");

  // Row 5 ends differently.
  EXPECT_TRUE(two[4].ends_with(toShiftJis(" （ｍ）とします")));
  EXPECT_TRUE(multi[4].ends_with(fullWidthBlanks(1) + toShiftJis(" （ｍ）としてください")));

  // Only the multi-band screen has the highest-band row.
  EXPECT_EQ(multi[6], toShiftJis("一番高いバンドでは Ｌ１＝０で [   L2   ] としてみてください"));

  // The shared rows are the same bytes, one row later on the multi-band screen.
  EXPECT_EQ(two[5], multi[7]);
  EXPECT_EQ(two[6], multi[8]);
  EXPECT_EQ(two[8], multi[10]);
  EXPECT_EQ(two[6].substr(24, 10), fullWidthBlanks(5));

  // The one band that is supported.
  EXPECT_EQ(two[7], toShiftJis("  この場合高いほうのバンドの計算しかサポートしていませんが。"));
  EXPECT_EQ(multi[9], toShiftJis("  この場合最高バンドの計算しかサポートしていませんが。"));

  // Ｌ１ with two blanks after it on the multi-band screen only.
  EXPECT_TRUE(two[12].ends_with(fullWidthBlanks(1) + toShiftJis("Ｌ１")));
  EXPECT_TRUE(multi[14].ends_with(fullWidthBlanks(1) + toShiftJis("Ｌ１") + "  "));
  // A comma before Ｌ２ against a full-width blank.
  EXPECT_TRUE(two[13].ends_with(toShiftJis("が、Ｌ２です")));
  EXPECT_TRUE(multi[15].ends_with(toShiftJis("が") + fullWidthBlanks(1) + toShiftJis("Ｌ２です")));

  // Three blank lines before the closing line against one; nothing after its end.
  const std::string closing = toShiftJis("リターンキーを押してください");
  EXPECT_EQ(std::vector<std::string>(two.begin() + 14, two.end()),
            (std::vector<std::string>{" ", " ", " ", closing, ""}));
  EXPECT_EQ(std::vector<std::string>(multi.begin() + 16, multi.end()),
            (std::vector<std::string>{" ", closing, ""}));
}

// --- Length check ------------------------------------------------------------

bool warns(double frequency, double nearLength, double farLength) {
  return EfficiencyFormulas::sectionsTooLong({frequency, nearLength, farLength});
}

TEST(EfficiencyLengthCheck, WarnsOnlyWhenTheSectionsExceedTheQuarterWaveInExtendedPrecision) {
  EXPECT_FALSE(warns(9, 3, 5));  // exactly 288 ÷ 36 = 8: not more
  EXPECT_TRUE(warns(9, 3, 5.000001));
  EXPECT_FALSE(warns(7.05, 2.1, 3.3));
  // The stored 7.2 lies a little above 7.2, so 288 ÷ (4 × f) lies just below
  // 10 in the extended format (double arithmetic would round it to 10).
  EXPECT_TRUE(warns(7.2, 4, 6));
  EXPECT_TRUE(warns(-7.05, 0, 0));
}

// --- Current sum at the section boundaries -----------------------------------

// The sum written out from its equations, every stored value rounded to double.
double toDouble(long double value) { return static_cast<double>(value); }

double wavelength(double f) { return toDouble(288.0L / f); }
double nearAngle(double f, double nearLength) {
  return toDouble(toDouble(nearLength / static_cast<long double>(wavelength(f))) * 6.28L);
}
double farAngle(double f, double farLength) {
  return toDouble((0.25L - toDouble(farLength / static_cast<long double>(wavelength(f)))) * 6.28L);
}
double sampleAngle(int sample) { return toDouble(sample * 3.14L / 3600.0L); }
double sampleCurrent(int sample) { return toDouble(cosl(sampleAngle(sample))); }

using EfficiencyFormulas::CurrentSums;

CurrentSums referenceSums(double f, double nearLength, double farLength) {
  double a1 = nearAngle(f, nearLength);
  double a2 = farAngle(f, farLength);
  CurrentSums sums{0, 0};
  for (int sample = 1; sample <= 1800; ++sample) {
    double x = sampleAngle(sample);
    double c = sampleCurrent(sample);
    if (a1 > x) sums.element = toDouble(static_cast<long double>(sums.element) + c);
    if (a2 < x) sums.element = toDouble(static_cast<long double>(sums.element) + c);
    sums.full = toDouble(static_cast<long double>(sums.full) + c);
  }
  return sums;
}

// The two numbers of the result lines, as the program formats them.
struct ResultFigures {
  std::string ratio;
  std::string decibels;
  bool operator==(const ResultFigures&) const = default;
};

void PrintTo(const ResultFigures& figures, std::ostream* out) {
  *out << figures.ratio << " / " << figures.decibels;
}

ResultFigures formatted(double ratio, double decibels) {
  return {std::string(FixedFormat::format(ratio, 5, 3).view()),
          std::string(FixedFormat::format(decibels, 5, 2).view())};
}

ResultFigures expectedFigures(CurrentSums sums) {
  double ratio = toDouble(static_cast<long double>(sums.element) / sums.full);
  return formatted(ratio, toDouble(20.0L * logl(ratio) / 2.302585092994046L));
}

ResultFigures programFigures(CurrentSums sums) {
  double ratio = EfficiencyFormulas::efficiency(sums);
  return formatted(ratio, EfficiencyFormulas::efficiencyDb(ratio));
}

enum class Stored { equal, above, below };

Stored compare(double angle, double sample) {
  return angle == sample ? Stored::equal : angle > sample ? Stored::above : Stored::below;
}

// Where 25 × L × f is a whole number a boundary lies right at a sample angle
// (a1 at sample 25 × L1 × f, a2 at sample 1800 − 25 × L2 × f), so whole-number
// inputs do it. Whether that sample counts follows from the stored doubles
// alone, which are often but not always equal.
enum class Boundary { nearAngle, farAngle };

struct BoundaryCase {
  const char* typed[3];  // f, L1, L2
  Boundary boundary;
  int sample;
  Stored stored;  // the boundary angle against the sample angle
  const char* ratio;
  const char* decibels;
};

const BoundaryCase kBoundaryCases[] = {
    {{"7", "2", "0.3"}, Boundary::nearAngle, 350, Stored::equal, "0.301", "-10.43"},
    {{"21", "1", "0.3"}, Boundary::nearAngle, 525, Stored::equal, "0.451", "-6.92"},
    {{"1", "11", "0.3"}, Boundary::nearAngle, 275, Stored::above, "0.238", "-12.48"},
    {{"19", "3", "0.3"}, Boundary::nearAngle, 1425, Stored::above, "0.955", "-0.40"},
    {{"7", "0", "2"}, Boundary::farAngle, 1450, Stored::equal, "0.046", "-26.68"},
    {{"21", "0", "3"}, Boundary::farAngle, 225, Stored::equal, "0.805", "-1.88"},
    {{"21", "0", "2"}, Boundary::farAngle, 750, Stored::below, "0.392", "-8.13"},
    {{"7", "0", "6"}, Boundary::farAngle, 750, Stored::above, "0.391", "-8.15"},
    // L2 = 0: a2 and the last sample angle are the same double.
    {{"7", "0.1", "0"}, Boundary::farAngle, 1800, Stored::equal, "0.015", "-36.58"},
    // Decimal lengths (25 × L × f still whole) at samples whose angle is not
    // the same double when i × 3.14 ÷ 3600 is worked out in double arithmetic.
    {{"1", "0.2", "0"}, Boundary::nearAngle, 5, Stored::above, "0.004", "-47.20"},
    {{"1", "0", "0.4"}, Boundary::farAngle, 1790, Stored::equal, "0.000", "-87.70"},
};

TEST(EfficiencySum, ASampleOnASectionBoundaryCountsAsTheStoredDoublesDecide) {
  for (const BoundaryCase& c : kBoundaryCases) {
    SCOPED_TRACE(std::string("f ") + c.typed[0] + ", L1 " + c.typed[1] + ", L2 " + c.typed[2]);
    double f = std::stod(c.typed[0]);
    double nearLength = std::stod(c.typed[1]);
    double farLength = std::stod(c.typed[2]);
    EfficiencyFormulas::SectionAngles angles =
        EfficiencyFormulas::sectionAngles({f, nearLength, farLength});
    EXPECT_EQ(angles.nearAngle, nearAngle(f, nearLength));
    EXPECT_EQ(angles.farAngle, farAngle(f, farLength));
    bool onNearBoundary = c.boundary == Boundary::nearAngle;
    double boundary = onNearBoundary ? angles.nearAngle : angles.farAngle;
    ASSERT_EQ(compare(boundary, sampleAngle(c.sample)), c.stored);

    CurrentSums sums = EfficiencyFormulas::sumCurrents(angles);
    CurrentSums reference = referenceSums(f, nearLength, farLength);
    EXPECT_EQ(sums.element, reference.element);
    EXPECT_EQ(sums.full, reference.full);
    ResultFigures figures = programFigures(sums);
    EXPECT_EQ(figures, expectedFigures(reference));
    EXPECT_EQ(figures, (ResultFigures{c.ratio, c.decibels}));

    // The case decides something: the other choice for that one sample
    // prints differently.
    bool counted = c.stored == (onNearBoundary ? Stored::above : Stored::below);
    long double current = sampleCurrent(c.sample);
    CurrentSums otherChoice = reference;
    otherChoice.element =
        toDouble(counted ? reference.element - current : reference.element + current);
    EXPECT_NE(expectedFigures(otherChoice), figures);
  }
}

}  // namespace
