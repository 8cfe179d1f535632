// The conductor impedance model without the dialogue: its worked values, the
// pieces of its two curves, and the branch decisions where a stored double
// meets a bound held in the extended format.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <span>

#include "arithmetic/extended.hpp"
#include "arithmetic/stored.hpp"
#include "calculators/impedance/impedance_model.hpp"

namespace {

using ImpedanceModel::Calculation;
using ImpedanceModel::NormalisedLengths;

// The whole model, for an element that both curves cover.
Calculation calculate(double electricalLength, double elementImpedance) {
  return ImpedanceModel::calculate({electricalLength, elementImpedance},
                                   [] { ADD_FAILURE() << "a curve does not reach"; });
}

NormalisedLengths normalise(double electricalLength, double elementImpedance) {
  return ImpedanceModel::normalise({electricalLength, elementImpedance});
}

// --- Worked values -------------------------------------------------------
// Figures to 10 decimals; the result line prints R and X to 2.

constexpr double kTolerance = 1e-9;

TEST(ImpedanceModel, ReferenceElementIsItsOwnNormalisedLength) {
  const Calculation model = calculate(0.2, 300);
  EXPECT_EQ(model.lengths.resistanceLength, 0.2);
  EXPECT_EQ(model.lengths.reactanceLength, 0.2);
  EXPECT_NEAR(model.base.resistance, 22.816, kTolerance);
  EXPECT_NEAR(model.base.reactance, -76.0, kTolerance);
  EXPECT_NEAR(model.feed.resistance, 16.2971428571, kTolerance);  // 5/7 of q
  EXPECT_NEAR(model.feed.reactance, -75.9973126815, kTolerance);
}

TEST(ImpedanceModel, ThickElementLengthensBothCurves) {
  const Calculation model = calculate(0.35, 200);
  EXPECT_NEAR(model.lengths.resistanceLength, 0.3926829268, kTolerance);
  // m: u before its correction
  EXPECT_NEAR(model.lengths.cappedReactanceLength, 0.4046277509, kTolerance);
  EXPECT_NEAR(model.lengths.reactanceLength, 0.4020988117, kTolerance);
  EXPECT_NEAR(model.base.resistance, 329.0121951220, kTolerance);
  EXPECT_NEAR(model.base.reactance, 272.6809378137, kTolerance);
  EXPECT_NEAR(model.feed.resistance, 175.2056811422, kTolerance);
  EXPECT_NEAR(model.feed.reactance, 127.2056574901, kTolerance);
}

TEST(ImpedanceModel, ShortThinElementDividesItsReactance) {
  const Calculation model = calculate(0.12, 600);
  EXPECT_EQ(model.lengths.resistanceLength, 0.12);
  EXPECT_NEAR(model.lengths.reactanceLength, 0.0950519751, kTolerance);
  EXPECT_NEAR(model.base.resistance, 4.928256, kTolerance);
  EXPECT_NEAR(model.base.reactance, -391.6540540541, kTolerance);
  EXPECT_NEAR(model.feed.resistance, 6.3363291429, kTolerance);
  EXPECT_NEAR(model.feed.reactance, -723.2543527852, kTolerance);
}

TEST(ImpedanceModel, LongThinElementGetsALongerReactanceLength) {
  const Calculation model = calculate(0.6, 450);
  EXPECT_NEAR(model.lengths.resistanceLength, 0.5654289373, kTolerance);
  // m: u before its correction
  EXPECT_NEAR(model.lengths.cappedReactanceLength, 0.5408517350, kTolerance);
  EXPECT_NEAR(model.lengths.reactanceLength, 0.6192878777, kTolerance);
  EXPECT_NEAR(model.base.resistance, 199.0010243278, kTolerance);
  EXPECT_NEAR(model.base.reactance, -206.2462140870, kTolerance);
  EXPECT_NEAR(model.feed.resistance, 562.8598950610, kTolerance);
  EXPECT_NEAR(model.feed.reactance, -647.2471121827, kTolerance);
}

// The number of curves that do not reach, and what the model gives then.
struct Unsupported {
  int curves = 0;
  Calculation model;
};

Unsupported calculateUnsupported(double electricalLength, double elementImpedance) {
  Unsupported unsupported;
  unsupported.model = ImpedanceModel::calculate({electricalLength, elementImpedance},
                                                [&] { ++unsupported.curves; });
  return unsupported;
}

// The correction brings a reactance length from above 0.8 back into the
// curve; the resistance length stays outside its curve and contributes 0.
TEST(ImpedanceModel, VeryThickLongElementIsCorrectedIntoTheReactanceCurve) {
  const auto [curves, model] = calculateUnsupported(0.63, 100);
  EXPECT_EQ(curves, 1);
  EXPECT_NEAR(model.lengths.resistanceLength, 0.8650746269, kTolerance);
  EXPECT_EQ(model.lengths.cappedReactanceLength, 0.6);
  EXPECT_NEAR(model.lengths.reactanceLength, 0.5151701445, kTolerance);
  EXPECT_EQ(model.base.resistance, 0.0);
  EXPECT_NEAR(model.base.reactance, -388.4522471312, kTolerance);
  EXPECT_EQ(model.feed.resistance, 0.0);
  EXPECT_NEAR(model.feed.reactance, -84.5388412855, kTolerance);
}

TEST(ImpedanceModel, NegativeLengthIsOutsideBothCurves) {
  const auto [curves, model] = calculateUnsupported(-0.2, 300);
  EXPECT_EQ(curves, 2);
  EXPECT_EQ(model.feed.resistance, 0.0);
  EXPECT_EQ(model.feed.reactance, 0.0);
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
    const Calculation model = calculate(element.electricalLength, element.elementImpedance);
    ASSERT_GE(model.lengths.resistanceLength, 0.42) << element.elementImpedance;
    EXPECT_EQ(model.feed.resistance, model.base.resistance * element.factor)
        << element.elementImpedance;
  }
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
  const Extended wavelength = stored(300.0L / 30.0);
  EXPECT_EQ(stored(1.0 / wavelength), 0.1);
  EXPECT_EQ(stored(6.3 / wavelength), 0.63);
}

constexpr int kOutside = -1;  // the curve does not reach

// A double at a bound must take the piece on its side, and the two pieces
// must tell themselves apart there, or the case proves nothing. Pieces are
// numbered as in their table, from 0 at the top.
struct BoundCase {
  double length;
  int taken;
  int other;
};

std::optional<double> pieceAt(std::span<const ImpedanceModel::CurvePiece> pieces, int piece,
                              double length) {
  if (piece == kOutside) return std::nullopt;
  return stored(pieces[static_cast<std::size_t>(piece)].formula(length));
}

void expectPieces(std::span<const BoundCase> cases,
                  std::span<const ImpedanceModel::CurvePiece> pieces,
                  std::optional<double> (*curve)(double)) {
  for (const BoundCase& bound : cases) {
    SCOPED_TRACE(testing::Message() << "at " << bound.length);
    const std::optional<double> taken = pieceAt(pieces, bound.taken, bound.length);
    EXPECT_NE(taken, pieceAt(pieces, bound.other, bound.length));
    EXPECT_EQ(curve(bound.length), taken);
  }
}

TEST(ImpedanceModel, ResistanceCurveBoundsTakeThePieceOnTheirSide) {
  const BoundCase cases[] = {{0.8, kOutside, 0}, {0.6109, 1, 0},     {0.5476, 2, 1},
                             {0.48011, 3, 2},    {0.43041, 3, 4},    {0.39406, 4, 5},
                             {0.34, 5, 6},       {0.01, 6, kOutside}};
  expectPieces(cases, ImpedanceModel::kResistancePieces, ImpedanceModel::baseResistanceAt);
}

TEST(ImpedanceModel, ReactanceCurveBoundsTakeThePieceOnTheirSide) {
  const BoundCase cases[] = {{0.8, kOutside, 0}, {0.515, 0, 1}, {0.4643, 3, 2},     {0.415, 4, 3},
                             {0.37, 5, 4},       {0.15, 6, 5},  {0.01, 6, kOutside}};
  expectPieces(cases, ImpedanceModel::kReactancePieces, ImpedanceModel::baseReactanceAt);
}

// Below 0.42 the resistance blends towards q. At Z = 0 the first point alone
// gives exactly q/8, so a p of 0.42 that is blended lies above q/8.
TEST(ImpedanceModel, ResistanceLengthAtPointFourTwoIsBlended) {
  const Calculation model = calculate(0x1.b76df7fc7031ep-3, 0);
  ASSERT_EQ(model.lengths.resistanceLength, 0.42);
  EXPECT_GT(model.feed.resistance, model.base.resistance / 8);
  EXPECT_NEAR(model.feed.resistance, model.base.resistance / 8, 1e-12);
}

// Below 0.3 the resistance drops to 5/7: at Z = 300 R is q above 0.3.
TEST(ImpedanceModel, ResistanceLengthAtPointThreeDropsToFiveSevenths) {
  const Calculation model = calculate(0.3, 300);
  ASSERT_EQ(model.lengths.resistanceLength, 0.3);
  EXPECT_NEAR(model.feed.resistance, model.base.resistance * 5 / 7, 1e-9);
  const Calculation justAbove = calculate(0.30001, 300);
  EXPECT_NEAR(justAbove.feed.resistance, justAbove.base.resistance, 1e-9);
}

// A reactance length of 0.39 is corrected; for a very thin element (A < 0)
// the correction lengthens it by a few units in the last place.
TEST(ImpedanceModel, ReactanceLengthAtPointThreeNineIsCorrected) {
  const NormalisedLengths lengths = normalise(0x1.df52bf48b6981p+0, 2000);
  ASSERT_EQ(lengths.cappedReactanceLength, 0.39);  // u before its correction
  EXPECT_GT(lengths.reactanceLength, 0.39);
  EXPECT_LT(lengths.reactanceLength, 0.39 + 1e-14);
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
