// Efficiency formulas: the length check and the current sum at the section
// boundaries, in the extended format; the golden transcripts hold the
// dialogue and its guide screens.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "calculators/efficiency/efficiency_formulas.hpp"
#include "console/fixed_format.hpp"

namespace {

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
