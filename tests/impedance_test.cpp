// The conductor impedance model without the dialogue: its worked values, the
// pieces of its two curves, and the branch decisions where a stored double
// meets a bound held in the extended format.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "calculators/impedance/impedance_model.hpp"
#include "console/stored.hpp"
#include "tests/support/process.hpp"
#include "tests/support/transcript.hpp"

namespace {

using ImpedanceModel::Quantities;

// All four steps from cleared base values. Only for elements that both
// curves cover: an unsupported length would write its apology.
Quantities calculate(double electricalLength, double elementImpedance) {
  ImpedanceModel::clearBaseValues();
  ImpedanceModel::setElement(electricalLength, elementImpedance);
  ImpedanceModel::normaliseLengths();
  ImpedanceModel::resistanceCurve();
  ImpedanceModel::reactanceCurve();
  ImpedanceModel::adjustForElement();
  return ImpedanceModel::quantities();
}

Quantities normalise(double electricalLength, double elementImpedance) {
  ImpedanceModel::setElement(electricalLength, elementImpedance);
  ImpedanceModel::normaliseLengths();
  return ImpedanceModel::quantities();
}

// --- Worked values -------------------------------------------------------
// Figures to 10 decimals; the result line prints R and X to 2.

constexpr double kTolerance = 1e-9;

TEST(ImpedanceModel, ReferenceElementIsItsOwnNormalisedLength) {
  const Quantities model = calculate(0.2, 300);
  EXPECT_EQ(model.resistanceLength, 0.2);
  EXPECT_EQ(model.reactanceLength, 0.2);
  EXPECT_NEAR(model.baseResistance, 22.816, kTolerance);
  EXPECT_NEAR(model.baseReactance, -76.0, kTolerance);
  EXPECT_NEAR(model.feedResistance, 16.2971428571, kTolerance);  // 5/7 of q
  EXPECT_NEAR(model.feedReactance, -75.9973126815, kTolerance);
}

TEST(ImpedanceModel, ThickElementLengthensBothCurves) {
  const Quantities model = calculate(0.35, 200);
  EXPECT_NEAR(model.resistanceLength, 0.3926829268, kTolerance);
  EXPECT_NEAR(model.cappedReactanceLength, 0.4046277509, kTolerance);  // u before correction
  EXPECT_NEAR(model.reactanceLength, 0.4020988117, kTolerance);
  EXPECT_NEAR(model.baseResistance, 329.0121951220, kTolerance);
  EXPECT_NEAR(model.baseReactance, 272.6809378137, kTolerance);
  EXPECT_NEAR(model.feedResistance, 175.2056811422, kTolerance);
  EXPECT_NEAR(model.feedReactance, 127.2056574901, kTolerance);
}

TEST(ImpedanceModel, ShortThinElementDividesItsReactance) {
  const Quantities model = calculate(0.12, 600);
  EXPECT_EQ(model.resistanceLength, 0.12);
  EXPECT_NEAR(model.reactanceLength, 0.0950519751, kTolerance);
  EXPECT_NEAR(model.baseResistance, 4.928256, kTolerance);
  EXPECT_NEAR(model.baseReactance, -391.6540540541, kTolerance);
  EXPECT_NEAR(model.feedResistance, 6.3363291429, kTolerance);
  EXPECT_NEAR(model.feedReactance, -723.2543527852, kTolerance);
}

TEST(ImpedanceModel, LongThinElementGetsALongerReactanceLength) {
  const Quantities model = calculate(0.6, 450);
  EXPECT_NEAR(model.resistanceLength, 0.5654289373, kTolerance);
  EXPECT_NEAR(model.cappedReactanceLength, 0.5408517350, kTolerance);  // u before correction
  EXPECT_NEAR(model.reactanceLength, 0.6192878777, kTolerance);
  EXPECT_NEAR(model.baseResistance, 199.0010243278, kTolerance);
  EXPECT_NEAR(model.baseReactance, -206.2462140870, kTolerance);
  EXPECT_NEAR(model.feedResistance, 562.8598950610, kTolerance);
  EXPECT_NEAR(model.feedReactance, -647.2471121827, kTolerance);
}

// The correction brings a reactance length from above 0.8 back into the
// curve; the resistance length stays outside its curve.
TEST(ImpedanceModel, VeryThickLongElementIsCorrectedIntoTheReactanceCurve) {
  const Quantities model = normalise(0.63, 100);
  EXPECT_NEAR(model.resistanceLength, 0.8650746269, kTolerance);
  EXPECT_EQ(model.cappedReactanceLength, 0.6);
  EXPECT_NEAR(model.reactanceLength, 0.5151701445, kTolerance);
  EXPECT_EQ(ImpedanceModel::baseResistanceAt(model.resistanceLength), std::nullopt);
  EXPECT_NEAR(ImpedanceModel::baseReactanceAt(model.reactanceLength).value(), -388.4522471312,
              kTolerance);
}

// At whole hundreds of ohms the scaling of the resistance is a power of two,
// which ln 2 held to full extended precision reproduces exactly.
TEST(ImpedanceModel, ResistanceScalesByPowersOfTwoAtWholeHundreds) {
  const struct {
    double electricalLength;
    double elementImpedance;
    double factor;
  } cases[] = {{0.45, 700, 16}, {0.25, 900, 64}, {0.15, 1000, 128}};
  for (const auto& element : cases) {
    const Quantities model = calculate(element.electricalLength, element.elementImpedance);
    ASSERT_GE(model.resistanceLength, 0.42) << element.elementImpedance;
    EXPECT_EQ(model.feedResistance, model.baseResistance * element.factor)
        << element.elementImpedance;
  }
}

// --- Whole calculations with apologies, in a child process ---------------

std::string runProbe(const std::string& input) {
  ProcessResult result = runProcess(probePath("impedance_model_probe"), input);
  EXPECT_EQ(result.exitCode, 0);
  return result.output;
}

const std::string kApology = toShiftJis("この範囲は計算をサポートしていません。御免なさい\r\n");

TEST(ImpedanceModel, UnsupportedResistanceContributesNothingAfterClearing) {
  EXPECT_EQ(runProbe("2\n1\n0.2\n300\n1\n0.63\n100\n"),
            "     16.30    -76.00\r\n" + kApology + "      0.00    -84.54\r\n");
}

TEST(ImpedanceModel, UnsupportedCurveKeepsItsBaseValueUntilCleared) {
  EXPECT_EQ(runProbe("2\n1\n0.2\n300\n0\n0.63\n100\n"),
            "     16.30    -76.00\r\n" + kApology + "      5.70    -84.54\r\n");
}

TEST(ImpedanceModel, NegativeLengthIsOutsideBothCurves) {
  EXPECT_EQ(runProbe("1\n1\n-0.2\n300\n"), kApology + kApology + "      0.00      0.00\r\n");
}

// --- The pieces of the curves --------------------------------------------

struct CurvePoint {
  double length;
  double value;
};

// One point inside each piece, from top to bottom.
TEST(ImpedanceModel, ResistanceCurvePieces) {
  const CurvePoint points[] = {{0.79, -123.75}, {0.7, -22.5},  {0.58, 160.14},
                               {0.5, 494.75},   {0.46, 600.0}, {0.41, 443.66},
                               {0.36, 190.6},   {0.2, 22.816}, {0.011, 0.0037958}};
  for (const CurvePoint& point : points) {
    EXPECT_NEAR(ImpedanceModel::baseResistanceAt(point.length).value(), point.value, 1e-6)
        << "p = " << point.length;
  }
  EXPECT_EQ(ImpedanceModel::baseResistanceAt(0.81), std::nullopt);
  EXPECT_EQ(ImpedanceModel::baseResistanceAt(0.009), std::nullopt);
  EXPECT_EQ(ImpedanceModel::baseResistanceAt(-0.2), std::nullopt);
}

TEST(ImpedanceModel, ReactanceCurvePieces) {
  const CurvePoint points[] = {{0.79, 92.5},   {0.6, -240.0}, {0.51, -400.0},
                               {0.48, -220.0}, {0.44, 66.0},  {0.39, 280.0},
                               {0.2, -76.0},   {0.1, -373.0}, {0.011, -708.53}};
  for (const CurvePoint& point : points) {
    EXPECT_NEAR(ImpedanceModel::baseReactanceAt(point.length).value(), point.value, 1e-6)
        << "u = " << point.length;
  }
  EXPECT_EQ(ImpedanceModel::baseReactanceAt(0.81), std::nullopt);
  EXPECT_EQ(ImpedanceModel::baseReactanceAt(0.009), std::nullopt);
}

// --- Doubles at the decimal bounds ---------------------------------------

struct Bound {
  double nearestDouble;
  long double extended;
};

// Which side of the extended bound the double nearest to the same decimal
// lies: the cases below rely on it, each on the side named here.
TEST(ImpedanceModel, DoublesAtTheBoundsLieOnTheirKnownSide) {
  const Bound above[] = {{0.8, 0.8L},   {0.43041, 0.43041L}, {0.39406, 0.39406L},
                         {0.34, 0.34L}, {0.01, 0.01L},       {0.515, 0.515L},
                         {0.39, 0.39L}, {0.1, 0.1L},         {0.63, 0.63L}};
  const Bound below[] = {{0.6109, 0.6109L}, {0.5476, 0.5476L}, {0.48011, 0.48011L}, {0.42, 0.42L},
                         {0.3, 0.3L},       {0.4643, 0.4643L}, {0.415, 0.415L},     {0.37, 0.37L},
                         {0.15, 0.15L},     {0.6, 0.6L}};
  for (const Bound& bound : above) {
    EXPECT_GT(bound.nearestDouble, bound.extended) << bound.nearestDouble;
  }
  for (const Bound& bound : below) {
    EXPECT_LT(bound.nearestDouble, bound.extended) << bound.nearestDouble;
  }
  // The calculator forms w = L ÷ (300 ÷ f); at f = 30 these are the bounds.
  const long double wavelength = stored(300.0L / 30.0);
  EXPECT_EQ(stored(1.0 / wavelength), 0.1);
  EXPECT_EQ(stored(6.3 / wavelength), 0.63);
}

using Piece = std::function<std::optional<double>(long double)>;

const Piece kUnsupported = [](long double) -> std::optional<double> { return std::nullopt; };

// A double at a bound must take the piece on its side, and the two pieces
// must tell themselves apart there, or the case proves nothing.
struct BoundCase {
  double length;
  Piece taken;
  Piece other;
};

void expectPieces(std::span<const BoundCase> cases, std::optional<double> (*curve)(double)) {
  for (const BoundCase& bound : cases) {
    SCOPED_TRACE(testing::Message() << "at " << bound.length);
    EXPECT_NE(bound.taken(bound.length), bound.other(bound.length));
    EXPECT_EQ(curve(bound.length), bound.taken(bound.length));
  }
}

TEST(ImpedanceModel, ResistanceCurveBoundsTakeThePieceOnTheirSide) {
  const Piece linear2 = [](long double p) { return stored(p * -1125.0L + 765.0L); };
  const Piece linear3 = [](long double p) { return stored(p * -2667.0L + 1707.0L); };
  const Piece linear4 = [](long double p) { return stored(p * -5210.5L + 3100.0L); };
  const Piece peak5 = [](long double p) {
    return stored((p - 0.46L) * -40000.0L * (p - 0.46L) + 600.0L);
  };
  const Piece linear6 = [](long double p) { return stored(p * 6826.0L - 2355.0L); };
  const Piece linear7 = [](long double p) { return stored(p * 4235.0L - 1334.0L); };
  const Piece cubic8 = [](long double p) { return stored(p * 2852.0L * p * p); };
  const BoundCase cases[] = {{0.8, kUnsupported, linear2}, {0.6109, linear3, linear2},
                             {0.5476, linear4, linear3},   {0.48011, peak5, linear4},
                             {0.43041, peak5, linear6},    {0.39406, linear6, linear7},
                             {0.34, linear7, cubic8},      {0.01, cubic8, kUnsupported}};
  expectPieces(cases, ImpedanceModel::baseResistanceAt);
}

TEST(ImpedanceModel, ReactanceCurveBoundsTakeThePieceOnTheirSide) {
  const Piece linear2 = [](long double u) { return stored(u * 1750.0L - 1290.0L); };
  const Piece dip3 = [](long double u) {
    return stored((u - 0.51L) * 200000.0L * (u - 0.51L) - 400.0L);
  };
  const Piece linear4 = [](long double u) { return stored(u * -8000.0L + 3620.0L); };
  const Piece linear5 = [](long double u) { return stored(u * -6600.0L + 2970.0L); };
  const Piece peak6 = [](long double u) {
    return stored((u - 0.39L) * -50000.0L * (u - 0.39L) + 280.0L);
  };
  const Piece linear7 = [](long double u) { return stored(u * 2170.0L - 510.0L); };
  const Piece steep8 = [](long double u) {
    return stored((u * 2170.0L - 510.0L) - (0.15L - u) * 1600.0L);
  };
  const BoundCase cases[] = {{0.8, kUnsupported, linear2}, {0.515, linear2, dip3},
                             {0.4643, linear5, linear4},   {0.415, peak6, linear5},
                             {0.37, linear7, peak6},       {0.15, steep8, linear7},
                             {0.01, steep8, kUnsupported}};
  expectPieces(cases, ImpedanceModel::baseReactanceAt);
}

// Below 0.42 the resistance blends towards q. At Z = 0 the first point alone
// gives exactly q/8, so a p of 0.42 that is blended lies above q/8.
TEST(ImpedanceModel, ResistanceLengthAtPointFourTwoIsBlended) {
  const Quantities model = calculate(0x1.b76df7fc7031ep-3, 0);
  ASSERT_EQ(model.resistanceLength, 0.42);
  EXPECT_GT(model.feedResistance, model.baseResistance / 8);
  EXPECT_NEAR(model.feedResistance, model.baseResistance / 8, 1e-12);
}

// Below 0.3 the resistance drops to 5/7: at Z = 300 R is q above 0.3.
TEST(ImpedanceModel, ResistanceLengthAtPointThreeDropsToFiveSevenths) {
  const Quantities model = calculate(0.3, 300);
  ASSERT_EQ(model.resistanceLength, 0.3);
  EXPECT_NEAR(model.feedResistance, model.baseResistance * 5 / 7, 1e-9);
  const Quantities justAbove = calculate(0.30001, 300);
  EXPECT_NEAR(justAbove.feedResistance, justAbove.baseResistance, 1e-9);
}

// A reactance length of 0.39 is corrected; for a very thin element (A < 0)
// the correction lengthens it by a few units in the last place.
TEST(ImpedanceModel, ReactanceLengthAtPointThreeNineIsCorrected) {
  const Quantities model = normalise(0x1.df52bf48b6981p+0, 2000);
  ASSERT_EQ(model.cappedReactanceLength, 0.39);  // u before its correction
  EXPECT_GT(model.reactanceLength, 0.39);
  EXPECT_LT(model.reactanceLength, 0.39 + 1e-14);
}

// The length factor changes sign between two neighbouring doubles near
// 1074.9 ohms without being zero at either, so no element impedance makes
// the resistance length a division by zero.
TEST(ImpedanceModel, LengthFactorHasNoZeroAtAnyDouble) {
  const double below = 1074.8999919987195;
  const double above = std::nextafter(below, 2000.0);
  const double belowLength = normalise(0.5, below).resistanceLength;
  const double aboveLength = normalise(0.5, above).resistanceLength;
  EXPECT_TRUE(std::isfinite(belowLength) && belowLength > 0) << belowLength;
  EXPECT_TRUE(std::isfinite(aboveLength) && aboveLength < 0) << aboveLength;
}

}  // namespace
