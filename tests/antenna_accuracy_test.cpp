// The antenna accuracy study in brief: NEC2 against textbook values, and one
// case of each of the program's antenna models against the figures that
// docs/accuracy.md states. docs/accuracy/regenerate runs the full study.
// Needs nec2c (scripts/install-dependencies --all installs it).
#include <gtest/gtest.h>

#include <cmath>

#include "docs/accuracy/antenna_comparison.hpp"
#include "docs/accuracy/thick_element.hpp"

namespace {

using namespace AntennaComparison;

// A thin quarter-wave monopole over perfect ground: about 36.5 + j21 ohms
// for a vanishing radius, a little more for a real one. This also checks
// that the dipole is halved and the report is read from the right columns.
TEST(AntennaAccuracyReference, QuarterWaveMonopoleMatchesTextbook) {
  const double quarterWave = Nec2::wavelengthM(kFrequencyMhz) / 4.0;
  std::complex<double> z =
      AntennaReference::feedImpedance({quarterWave, quarterWave / 10000.0, kFrequencyMhz});
  EXPECT_GT(z.real(), 36.5);
  EXPECT_LT(z.real(), 40.0);
  EXPECT_GT(z.imag(), 20.0);
  EXPECT_LT(z.imag(), 24.0);
}

// The page: the resonant full-size monopole of 10 mm tube is 36.0 ohms and
// 0.241 wavelength long.
TEST(AntennaAccuracyReference, FullSizeMonopoleResonatesBelowAQuarterWave) {
  AntennaReference::Resonance resonance = AntennaReference::firstResonance(0.01, kFrequencyMhz);
  EXPECT_NEAR(resonance.lengthM / programWavelengthM(), 0.241, 0.0005);
  EXPECT_NEAR(resonance.resistanceOhm, 36.0, 0.05);
}

// Menu 3 meets "a few percent" only at the short end for thin wire, and has
// the wrong sign of reactance at a quarter wave on wire (-76 ohms against
// NEC2's +23).
TEST(AntennaAccuracy, FeedImpedanceModelIsCloseOnlyAtTheShortEnd) {
  FeedPointComparison shortWire = compareFeedPoint({0.1, 10000.0});
  EXPECT_EQ(shortWire.program.apologies, 0);
  EXPECT_LT(shortWire.impedanceError(), 0.05);

  FeedPointComparison quarterWave = compareFeedPoint({0.25, 1000.0});
  EXPECT_NEAR(quarterWave.program.reactanceOhm, -75.69, 0.005);
  EXPECT_NEAR(quarterWave.reference.imag(), 23.3, 0.1);
  EXPECT_GT(quarterWave.impedanceError(), 2.0);
  EXPECT_LT(quarterWave.impedanceError(), 2.3);
}

// Menu 1 at 0.1 wavelength, L/D 1000: the base coil 13.8 % and the coil
// half-way up 11.8 % too large; the page's ranges are 9 % to 30 % and 7 % to
// 25 %.
TEST(AntennaAccuracy, LoadingCoilIsTooLarge) {
  CoilComparison base = compareBaseCoil({0.1, 1000.0});
  EXPECT_NEAR(base.programUh, 13.321, 0.0005);
  EXPECT_NEAR(base.error(), 0.138, 0.001);

  CoilComparison halfWay = compareCentreCoil({0.1, 1000.0}, 0.5);
  EXPECT_GT(halfWay.error(), 0.07);
  EXPECT_LT(halfWay.error(), 0.25);
  EXPECT_NEAR(halfWay.error(), 0.118, 0.001);
}

// Menu 4 at 0.1 wavelength: within 0.3 dB of NEC2 with a top hat, and
// -13.7 dB instead of -9.3 dB with a coil at the base.
TEST(AntennaAccuracy, EfficiencyHoldsForTopLoadingAndIsTooLowForBaseLoading) {
  EfficiencyComparison top = compareEfficiency(Loading::top, 0.1);
  EXPECT_LT(std::fabs(top.errorDecibels()), 0.3);

  EfficiencyComparison base = compareEfficiency(Loading::base, 0.1);
  EXPECT_NEAR(base.program.decibels, -13.67, 0.005);
  EXPECT_NEAR(base.referenceDecibels(), -9.31, 0.01);
}

// Menu 5 for wire (lambda / D from 5000 to 1e6): 0.2 % to 0.5 % too long;
// 1.8 % for thick tube (lambda / D 200).
TEST(AntennaAccuracy, DipoleElementIsSlightlyTooLong) {
  DipoleComparison wire = compareDipole(1e4);
  EXPECT_GT(wire.error(), 0.002);
  EXPECT_LT(wire.error(), 0.005);

  DipoleComparison tube = compareDipole(200.0);
  EXPECT_NEAR(tube.error(), 0.0179, 0.0001);
}

// Thick elements, against the page's table: the coil that resonates the
// single wire and the cage at their coarsest counts, and the single wire's
// last count that keeps every segment 2 radii long. A wrong fit, root or
// geometry moves the coil or leaves reactance at the feed.
TEST(AntennaAccuracyReference, ThickElementCoilsResonate) {
  struct Case {
    ThickElement::Design design;
    bool asCage;
    int segments;
    double coilUh;
    int finestSingleWireCount;
  };
  const Case cases[] = {
      {{"A", 14.2, 1.2, 0.012, 0.8}, false, 21, 20.464, 81},
      {{"B", 1.85, 3.0, 0.010, 0.0}, false, 21, 245.752, 161},
      {{"C", 21.2, 1.5, 0.025, 0.75}, true, 41, 3.850, 41},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.design.name);
    ThickElement::LoadableElement element = c.asCage
                                                ? ThickElement::cage(c.design, c.segments, 1)
                                                : ThickElement::singleWire(c.design, c.segments);
    ThickElement::ResonatingCoil coil =
        ThickElement::resonatingCoil(element, c.design.frequencyMhz);
    EXPECT_NEAR(coil.inductanceUh, c.coilUh, 0.0005);
    EXPECT_LT(std::fabs(coil.feedImpedanceOhm.imag()), 0.05);
    auto segmentToRadius = [&](int count) {
      return ThickElement::shortestSegmentToRadius(
          ThickElement::singleWire(c.design, count).structure);
    };
    EXPECT_GE(segmentToRadius(c.finestSingleWireCount), ThickElement::kSmallestSegmentToRadius);
    EXPECT_LT(segmentToRadius(2 * c.finestSingleWireCount - 1),
              ThickElement::kSmallestSegmentToRadius);
  }
}

}  // namespace
