// tanshuku-nec's portable core, as every build compiles it: the texts of
// its numbers, and the searches run on stand-in solvers.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <complex>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <numbers>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

#include "nec/input/design_link.hpp"
#include "nec/input/design_values.hpp"
#include "nec/measured/measured_figures.hpp"
#include "nec/measured/touchstone.hpp"
#include "nec/measured/touchstone_messages.hpp"
#include "nec/model/decimal_chars.hpp"
#include "nec/model/deck.hpp"
#include "nec/model/report.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/design_figures.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/resonance.hpp"
#include "nec/search/root_search.hpp"
#include "nec/search/segment_series.hpp"
#include "nec/search/solver_check.hpp"
#include "nec/search/solver_figures.hpp"
#include "nec/search/whole_check.hpp"
#include "nec/texts/design_report.hpp"
#include "nec/texts/json_result.hpp"
#include "nec/texts/maa_file.hpp"
#include "nec/texts/measured_report.hpp"
#include "nec/texts/warnings.hpp"
#include "tests/nec_stand_ins.hpp"

namespace {

// The checked design of options as tanshuku-nec takes them (--name value,
// or --name alone for a switch), which pass their checks.
Checked::Design designed(const std::vector<std::string>& words) {
  DesignValues::Values values;
  for (std::size_t at = 0; at < words.size(); ++at) {
    const std::string name = words[at].substr(2);
    const bool flag = DesignValues::kindOf(name) == DesignValues::Kind::flag;
    const std::string text = flag ? "" : words.at(++at);
    EXPECT_FALSE(DesignValues::set(values, name, text, words[at])) << name;
  }
  EXPECT_FALSE(DesignValues::checkTogether(values));
  EXPECT_FALSE(DesignValues::checkValues(values));
  return DesignValues::designOf(values);
}

// Where a C++ library has floating-point to_chars, and its C library
// rounds correctly (MinGW's strtod does not), the texts made from the C
// library are checked against it.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L && !defined(_WIN32)
#define TANSHUKU_TEST_TO_CHARS 1
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
#ifndef TANSHUKU_TEST_TO_CHARS
  GTEST_SKIP() << "no floating-point to_chars, or no correctly rounded strtod, to compare with";
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

// The 14.1 MHz element (2 m of 10 mm tube, the coil 0.5 m below the tip)
// as a bilinear function: X(L) = X₀ + k ωL ÷ (1 − L ÷ L_p), the pole L_p at
// 22.6 uH, which gives -316 ohm at 10 uH and -1048 ohm at 30 uH.
Resonance::Complex tipCoilElement(Resonance::Complex loadOhm) {
  const double omega = 2 * std::numbers::pi * 14.1e6;
  const Resonance::Complex b{3.0, -435.8};
  const Resonance::Complex c{0.0, 1.0 / (omega * 22.6e-6)};
  const double k = 6.681 / (omega * 1e-6);
  return b + k * loadOhm / (1.0 + c * loadOhm);
}

TEST(NecCore, TheFirstResonanceIsTheRootNotThePole) {
  for (const std::optional<double> q : {std::optional<double>(), std::optional(200.0)}) {
    const Resonance::Coil coil{14.1, q};
    std::array<Resonance::Sample, 3> samples;
    const double inductances[] = {10e-6, 30e-6, 50e-6};
    for (int i = 0; i < 3; ++i) {
      const Resonance::Complex load = coil.impedanceOhm(inductances[i]);
      samples[i] = {load, tipCoilElement(load)};
    }
    const Resonance::Bilinear feed = *Resonance::fitBilinear(samples);
    const Resonance::Complex load = coil.impedanceOhm(40e-6);
    EXPECT_LT(std::abs(feed(load) - tipCoilElement(load)), 1e-9 * std::abs(tipCoilElement(load)));
    if (!q) {
      EXPECT_NEAR(samples[0].feedOhm.imag(), -316, 1);
      EXPECT_NEAR(samples[1].feedOhm.imag(), -1048, 1);
    }
    const Resonance::Resonances found = Resonance::firstResonance(feed, coil);
    ASSERT_EQ(found.outcome, Resonance::Resonances::Outcome::coilResonates);
    EXPECT_NEAR(*found.seriesH * 1e6, 16.8, 0.1);
    EXPECT_NEAR(*found.parallelH * 1e6, 22.6, 0.1);
    EXPECT_NEAR(Resonance::feedImpedanceOhm(feed, coil, *found.seriesH).imag(), 0.0, 1e-6);
  }
  // The same reactance searched for in whole tenths of a microhenry, from
  // below the root and from between the root and the pole: the search
  // closes on the root either way.
  const Resonance::Coil lossless{14.1, std::nullopt};
  auto reactance = [&](double tenths) {
    return tipCoilElement(lossless.impedanceOhm(tenths * 1e-7)).imag();
  };
  RootSearch::Limits limits{10.0, 1000.0};
  limits.quantum = 1.0;
  for (const auto& [first, guess] : {std::pair{100.0, 120.0}, std::pair{200.0, 210.0}}) {
    const auto found =
        RootSearch::findCrossing(reactance, {first, reactance(first)}, guess, limits);
    ASSERT_TRUE(found) << first;
    EXPECT_NEAR(found->rootX(), 168.0, 1.0) << first;
    EXPECT_LE(found->above.x - found->below.x, 1.0);
    EXPECT_LE(found->runs, limits.mostRuns);
  }
  // An element at or beyond its own resonance needs no coil.
  const Resonance::Bilinear beyond{{0.05, 0}, {40.0, 12.0}, {0, 0}};
  EXPECT_EQ(Resonance::firstResonance(beyond, {7.05, 200.0}).outcome,
            Resonance::Resonances::Outcome::needsNoCoil);
  // Three samples of no bilinear function of distinct loads fix none.
  EXPECT_FALSE(
      Resonance::fitBilinear({{{{0, 100}, {1, 2}}, {{0, 100}, {1, 2}}, {{0, 200}, {3, 4}}}}));
}

TEST(NecCore, SegmentHalvingsSettleAndExtrapolateOnlyAGeometricTail) {
  const std::vector<double> series = {21.61, 21.43, 21.33, 21.26, 21.22, 21.19};
  std::vector<bool> settled;
  for (size_t n = 1; n <= series.size(); ++n) {
    settled.push_back(SegmentSeries::settled(std::span(series).first(n)));
  }
  EXPECT_EQ(settled, (std::vector<bool>{false, false, false, false, true, true}));
  struct Case {
    std::vector<double> series;
    bool extrapolated;
    double value, low, high;
  } cases[] = {
      // The last changes 0.04 and 0.03 shrink by 0.75: 0.09 more to come;
      // the three values before point to 21.167.
      {series, true, 21.10, 21.01, 21.19},
      // A 12 mm whip: three counts are one ratio only; the finest value,
      // four last changes on and two back.
      {{20.15, 19.77, 19.41}, false, 19.41, 19.41 - 4 * 0.36, 19.41 + 2 * 0.36},
      // A 10 mm rod: a geometric tail, but not settled when the segments
      // reach twice the radius.
      {{245.75, 239.78, 235.99, 233.40}, false, 233.40, 233.40 - 4 * 2.59, 233.40 + 2 * 2.59},
      // Settled, but of the last two ratios only the last shrinks (0.9, then 0.11).
      {{21.61, 21.43, 21.33, 21.24, 21.23}, false, 21.23, 21.23 - 4 * 0.01, 21.23 + 2 * 0.01},
      // Changes that grow, upwards.
      {{21.0, 21.1, 21.3}, false, 21.3, 21.3 - 2 * 0.2, 21.3 + 4 * 0.2},
      // One count: a tenth either way.
      {{20.0}, false, 20.0, 18.0, 22.0},
  };
  for (const Case& c : cases) {
    const SegmentSeries::Estimate e = SegmentSeries::estimate(c.series);
    EXPECT_EQ(e.extrapolated, c.extrapolated) << c.series.back();
    EXPECT_NEAR(e.value, c.value, 1e-9) << c.series.back();
    EXPECT_NEAR(e.low, c.low, 1e-9) << c.series.back();
    EXPECT_NEAR(e.high, c.high, 1e-9) << c.series.back();
  }
}

// Every warning has words of its own, in either language.
TEST(NecCore, EachWarningSaysWhatItMeans) {
  Results::Figures f;
  f.selfResonanceMhz = 18.0;
  f.necInductanceUh = 19.41;
  f.necInductanceUncertaintyUh = 0.9;
  f.necInductanceLowUh = 17.97;
  f.necInductanceHighUh = 19.77;
  f.turnsLow = 22.0;
  f.turnsHigh = 23.7;
  f.bandwidthMatchedKhz = 60.0;
  f.bandwidthPredictedKhz = 70.0;
  f.qLossless = 2.0;
  f.chuLimitQ = 3.83;
  for (const Messages::Language language :
       {Messages::Language::english, Messages::Language::japanese}) {
    std::set<std::string> said;
    std::set<std::string_view> codes;
    for (int w = 0; w <= static_cast<int>(Warnings::Warning::losslessQBelowChu); ++w) {
      const auto warning = static_cast<Warnings::Warning>(w);
      said.insert(Warnings::words(warning, f, language));
      codes.insert(Warnings::code(warning));
    }
    EXPECT_EQ(said.size(), 10u);
    EXPECT_EQ(codes.size(), 10u);
    EXPECT_FALSE(said.contains(""));
  }
  EXPECT_EQ(Warnings::words(Warnings::Warning::segmentsNotSettled, f, Messages::Language::english),
            "NEC2 cannot settle the coil to 1 % for this element with the segments it allows (641 "
            "at most, none shorter than twice the wire's radius): the coil lies between 18.0 and "
            "19.8 uH (22.0 to 23.7 turns); wind for the middle and trim");
}

TEST(NecCore, BandwidthFromTheSweepAgreesWithTheSlopesPrediction) {
  const std::vector<Bandwidth::Point> sweep = seriesCircuitSweep(12.0, 50.0);
  const double f0 = *Bandwidth::resonanceMhz(sweep);
  EXPECT_NEAR(f0, 7.05, 1e-3);
  const double q = Bandwidth::slopeQ(sweep, f0);
  EXPECT_NEAR(q, 50.0, 0.1);
  const Bandwidth::Edges matched = *Bandwidth::swrEdges(sweep, f0, 12.0);
  const double predictedKhz = Bandwidth::predictedFractionalBandwidth(q) * f0 * 1000;
  EXPECT_NEAR(matched.widthKhz(), predictedKhz, 0.01 * predictedKhz);
  EXPECT_LT(matched.lowerMhz, f0);
  EXPECT_GT(matched.upperMhz, f0);
  // 12 ohm on 50 ohm is an SWR of 4.17 at resonance already.
  EXPECT_FALSE(Bandwidth::swrEdges(sweep, f0, 50.0));
  EXPECT_NEAR(Bandwidth::swr(12.0, 0.0, 50.0), 50.0 / 12.0, 1e-12);
  const std::vector<Bandwidth::Point> near50 = seriesCircuitSweep(40.0, 50.0);
  const auto cable = Bandwidth::swrEdges(near50, 7.05, 50.0);
  ASSERT_TRUE(cable);
  EXPECT_LT(cable->lowerMhz, 7.05);
  EXPECT_GT(cable->upperMhz, 7.05);
  // The worked design: 5 m at 7.05 MHz.
  EXPECT_NEAR(Bandwidth::chuLimitQ(7.05, 5.0), 3.83, 0.005);
}

// The worked design's solver results as the runner would hand them in: the
// inductance falling 21.61 ... 21.19 uH over 21 to 641 segments, the feed at
// resonance, the power budget, sweeps.
TEST(NecCore, TheSolversResultsGiveTheReportsFiguresAndChecks) {
  SolverFigures::SolverResults results;
  results.segments = {21, 41, 81, 161, 321, 641};
  results.resonatingInductanceUh = {21.61, 21.43, 21.33, 21.26, 21.22, 21.19};
  results.runs = 24;
  results.feedLosslessOhm = {11.0, 0.0};
  results.feedOhm = {12.25, 0.0};
  results.budgetEfficiencyPercent = 97.04;
  results.fullSizeResistanceOhm = 36.5;
  results.menu1CoilResonanceMhz = 6.76;
  results.sweep = seriesCircuitSweep(12.25, 50.0);
  results.sweepLossless = seriesCircuitSweep(11.0, 55.0);
  auto options = designed(worked({"--ground-loss", "2"}));
  Results::Figures f = DesignFigures::designFigures(options);
  SolverFigures::add(results, options, f);
  EXPECT_NEAR(*f.necInductanceUh, 21.10, 1e-9);
  EXPECT_TRUE(f.necInductanceExtrapolated);
  EXPECT_EQ(f.segmentSeries.size(), 6u);
  EXPECT_NEAR(*f.differencePercent, (23.654006932081916 / 21.10 - 1) * 100, 1e-9);
  EXPECT_EQ(*f.feedResistanceOhm, 14.25);  // the ground loss in series
  EXPECT_NEAR(*f.efficiencyPercent, 97.04 * 12.25 / 14.25, 1e-9);
  EXPECT_NEAR(*f.efficiencyDb, 10 * std::log10(0.9704 * 12.25 / 14.25), 1e-9);
  EXPECT_NEAR(*f.radiationResistanceRatioDb, 10 * std::log10(11.0 / 36.5), 1e-9);
  EXPECT_NEAR(*f.swr50AtResonance, 50 / 14.25, 1e-9);
  EXPECT_FALSE(f.bandwidth50OhmKhz);  // 14.25 ohm never comes to SWR 2 on 50 ohm
  EXPECT_NEAR(*f.bandwidthMatchedKhz, *f.bandwidthPredictedKhz, 0.01 * *f.bandwidthPredictedKhz);
  EXPECT_NEAR(*f.qLossless, 55.0, 0.1);
  EXPECT_EQ(f.segments, 641);
  EXPECT_TRUE(f.warnings.empty());
  DesignFigures::addCoilAsWound(options, f);
  EXPECT_FALSE(f.turns);  // no coil measures given
  const std::string screen = DesignReport::text(options, f, Messages::Language::english);
  EXPECT_NE(screen.find("\nCoil to wind: 21.10 ± 0.09 uH\nMenu 1's coil: 23.6540 uH, 12.1 % "
                        "larger than NEC2's; it resonates at 6.760 MHz\n"),
            std::string::npos)
      << screen;
  EXPECT_NE(screen.find("; on 50 ohm the SWR never falls to 2\nRadiation efficiency: 83.4 % "
                        "(-0.79 dB), over perfect ground, with 2 ohm of ground loss, with the "
                        "coil's loss (Q 200) and the wire's\n"),
            std::string::npos)
      << screen;

  // The dipole: two halves in series, no ground; a lossless Q below Chu's
  // limit says the model is not credible.
  auto dipole = designed(worked({"--dipole"}));
  results.sweepLossless = seriesCircuitSweep(11.0, 2.0);
  Results::Figures d = DesignFigures::designFigures(dipole);
  SolverFigures::add(results, dipole, d);
  EXPECT_EQ(*d.feedResistanceOhm, 24.5);
  EXPECT_NEAR(*d.efficiencyPercent, 97.04, 1e-9);
  EXPECT_EQ(d.warnings, std::vector{Warnings::Warning::losslessQBelowChu});
}

// A stand-in for nec2c: the element an open line of 400 ohm whose waves go
// at 0.95 c (so that it resonates a little short of a quarter wave), its
// radiation resistance 36.5 ohm at resonance, falling with the square of
// its electrical length, and every coil in series at the feed, acting as
// (1 + 1 / N) of itself at N segments a half, so that the coil that
// resonates converges geometrically, halving its change with each halving
// of the segments, to the one the line needs. A dipole is two halves.
// coilShare 0: the coil does nothing, so none resonates.
// A run whose solutions are known when it begins.
class SolvedRun : public Nec2::StructureSolver::Run {
 public:
  explicit SolvedRun(std::vector<Nec2::Solution> solutions) : solutions_(std::move(solutions)) {}
  std::vector<Nec2::Solution> solutions() override { return solutions_; }

 private:
  std::vector<Nec2::Solution> solutions_;
};

class FormulaSolver : public Nec2::StructureSolver {
 public:
  static constexpr double kLineOhm = 400.0;
  static constexpr double kVelocity = 0.95 * 299.792458;  // m/us

  explicit FormulaSolver(double coilShare = 1.0) : coilShare_(coilShare) {}

  std::unique_ptr<Run> start(const Nec2::Structure& s, std::chrono::milliseconds) override {
    ++runs_;
    std::vector<Nec2::Solution> solutions;
    for (int i = 0; i < s.sweep.count; ++i) {
      solutions.push_back(solution(s, s.sweep.frequencyMhz(i)));
    }
    return std::make_unique<SolvedRun>(std::move(solutions));
  }
  long runs() const override { return runs_; }

  // The coil that resonates the bare line at the frequency, in uH.
  static double lineCoilUh(double lengthM, double frequencyMhz) {
    return lineOhm(lengthM, frequencyMhz).imag() * -1.0 / omega(frequencyMhz) * 1e6;
  }

 private:
  static double omega(double frequencyMhz) { return 2.0 * std::numbers::pi * frequencyMhz * 1e6; }
  static std::complex<double> lineOhm(double lengthM, double frequencyMhz) {
    const double angle = 2.0 * std::numbers::pi * frequencyMhz / kVelocity * lengthM;
    const double share = angle / (std::numbers::pi / 2.0);
    return {36.5 * share * share, -kLineOhm / std::tan(angle)};
  }

  Nec2::Solution solution(const Nec2::Structure& s, double frequencyMhz) const {
    double top = 0.0;
    int segments = 0;
    for (const Nec2::Wire& w : s.wires) {
      top = std::max({top, w.z1, w.z2});
      segments += w.segments;
    }
    const int halves = s.ground == Nec2::Ground::freeSpace ? 2 : 1;
    std::complex<double> coils = 0.0;
    for (const Nec2::SeriesLoad& load : s.seriesLoads) {
      coils += std::complex<double>(load.resistanceOhm, omega(frequencyMhz) * load.inductanceH);
    }
    std::complex<double> feed = static_cast<double>(halves) * lineOhm(top, frequencyMhz) +
                                coilShare_ * (1.0 + halves / static_cast<double>(segments)) * coils;
    for (const Nec2::Load& load : s.loads) feed += load.resistanceOhm;
    const double radiatedOhm = halves * lineOhm(top, frequencyMhz).real();
    const double inputW = 0.5 * feed.real() / std::norm(feed);
    const double lossW = inputW * (1.0 - radiatedOhm / feed.real());
    return {frequencyMhz, feed, {inputW, inputW - lossW, lossW, 0.0}};
  }

  double coilShare_;
  long runs_ = 0;
};

// The searches on the stand-in: the series of counts and its tail, the
// root at each count, the feed and the bandwidth at resonance; a thick
// element's range; an element that needs no coil; one that no coil
// resonates.
TEST(NecCore, TheChecksSearchesFindTheStandInsCoil) {
  FormulaSolver solver;
  const auto thin = designed(worked());
  const SolverCheck::Check check = SolverCheck::run(thin, solver);
  ASSERT_TRUE(check.results);
  const SolverFigures::SolverResults& r = *check.results;
  EXPECT_EQ(r.segments, (std::vector<int>{21, 41, 81, 161, 321, 641}));
  const double lineUh = FormulaSolver::lineCoilUh(5.0, 7.05);
  for (std::size_t i = 0; i < r.segments.size(); ++i) {
    EXPECT_NEAR(r.resonatingInductanceUh[i], lineUh / (1.0 + 1.0 / r.segments[i]), 1e-6 * lineUh);
  }
  EXPECT_EQ(r.runs, solver.runs());
  Results::Figures f = DesignFigures::designFigures(thin);
  SolverFigures::add(r, thin, f);
  EXPECT_TRUE(f.necInductanceExtrapolated);
  EXPECT_NEAR(*f.necInductanceUh, lineUh, 1e-4 * lineUh);
  EXPECT_LE(*f.necInductanceLowUh, lineUh);
  EXPECT_GE(*f.necInductanceHighUh, lineUh);
  EXPECT_TRUE(f.warnings.empty());
  EXPECT_NEAR(*f.bandwidthMatchedKhz, *f.bandwidthPredictedKhz, 0.1 * *f.bandwidthPredictedKhz);
  EXPECT_GT(*f.feedResistanceOhm, *f.feedResistanceLosslessOhm);

  // 25 mm on 1.2 m: 41 segments are the finest of two radii or more.
  const auto thick =
      designed({"--frequency", "21.2", "--length", "1.2", "--diameter", "25", "--tip", "0.6"});
  const SolverCheck::Check thickCheck = SolverCheck::run(thick, solver);
  ASSERT_TRUE(thickCheck.results);
  EXPECT_EQ(thickCheck.results->segments, (std::vector<int>{21, 41}));
  Results::Figures t = DesignFigures::designFigures(thick);
  SolverFigures::add(*thickCheck.results, thick, t);
  EXPECT_FALSE(t.necInductanceExtrapolated);
  EXPECT_LE(*t.necInductanceLowUh, FormulaSolver::lineCoilUh(1.2, 21.2));
  EXPECT_GE(*t.necInductanceHighUh, FormulaSolver::lineCoilUh(1.2, 21.2));

  // Past the stand-in's own resonance, 10.4 m at 7.05 MHz: the bare run
  // confirms that no coil is needed.
  const auto full =
      designed({"--frequency", "7.05", "--length", "10.4", "--diameter", "2", "--base"});
  EXPECT_FALSE(SolverCheck::run(full, solver).results);

  FormulaSolver deaf(0.0);
  EXPECT_THROW(SolverCheck::run(thin, deaf), SolverCheck::NoResonance);
}

// What nec2c answered tanshuku-nec for one design, as tests/nec_replays/record
// wrote it: the options, each deck with the report it got, and the JSON.
struct Replay {
  std::vector<std::string> options;
  std::map<std::string, std::string> reports;  // by deck
  long runs = 0;
  std::string json;
};

Replay readReplay(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  Replay replay;
  enum class Part { none, deck, report, json } part = Part::none;
  std::string deck;
  std::string* text = nullptr;
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with("arguments: ")) {
      std::istringstream words(line.substr(11));
      for (std::string word; words >> word;) replay.options.push_back(word);
    } else if (line == "deck:") {
      part = Part::deck;
      deck.clear();
      text = &deck;
      ++replay.runs;
    } else if (line == "report:") {
      part = Part::report;
      text = &replay.reports[deck];
    } else if (line == "json:") {
      part = Part::json;
      text = &replay.json;
    } else if (part != Part::none && !line.starts_with('#')) {
      *text += line + "\n";
    }
  }
  return replay;
}

// A text's numbers, and what lies between them with '#' in their place.
// A number starts at a digit, a point or a minus sign, not inside a word
// ("nec2c", "GW 3" are a word and a number).
struct Pieces {
  std::vector<double> numbers;
  std::string between;
};

Pieces piecesOf(std::string_view text) {
  Pieces pieces;
  auto inWord = [&](std::size_t at) {
    return at > 0 &&
           (std::isalnum(static_cast<unsigned char>(text[at - 1])) != 0 || text[at - 1] == '_');
  };
  for (std::size_t at = 0; at < text.size();) {
    double value = 0.0;
    const char* start = text.data() + at;
    const char* end = inWord(at) || std::isalpha(static_cast<unsigned char>(text[at])) != 0
                          ? start
                          : DecimalChars::read(start, text.data() + text.size(), value);
    if (end == start) {
      pieces.between += text[at++];
      continue;
    }
    pieces.numbers.push_back(value);
    pieces.between += '#';
    at += static_cast<std::size_t>(end - start);
  }
  return pieces;
}

// The same text but for numbers that agree to the relative tolerance, or
// lie within the absolute one of each other: another C library's sine or
// logarithm may differ from the recording's in the last digits.
bool alike(std::string_view a, std::string_view b, double relative, double absolute) {
  const Pieces x = piecesOf(a);
  const Pieces y = piecesOf(b);
  if (x.between != y.between) return false;
  for (std::size_t i = 0; i < x.numbers.size(); ++i) {
    const double difference = std::abs(x.numbers[i] - y.numbers[i]);
    const double size = std::max(std::abs(x.numbers[i]), std::abs(y.numbers[i]));
    if (difference > relative * size && difference > absolute) return false;
  }
  return true;
}

// nec2c's recorded answers read back by the report reader, deck by deck: a
// deck's answer is the one recorded for it, or for a deck alike to its
// printed digits (9) and a picometre.
class ReplaySolver : public Nec2::StructureSolver {
 public:
  explicit ReplaySolver(const Replay& replay) : replay_(replay) {}

  std::unique_ptr<Run> start(const Nec2::Structure& s, std::chrono::milliseconds) override {
    ++runs_;
    const std::string deck = Nec2::deck(s);
    auto recorded = replay_.reports.find(deck);
    if (recorded == replay_.reports.end()) {
      recorded = std::find_if(replay_.reports.begin(), replay_.reports.end(),
                              [&](const auto& r) { return alike(r.first, deck, 1e-8, 1e-12); });
    }
    if (recorded == replay_.reports.end()) {
      throw std::runtime_error("no recorded report for this deck (record again):\n" + deck);
    }
    return std::make_unique<SolvedRun>(Nec2::readReport(recorded->second, s.sweep, s.feed));
  }
  long runs() const override { return runs_; }

 private:
  const Replay& replay_;
  long runs_ = 0;
};

// The whole check on nec2c's recorded answers gives the JSON that
// tanshuku-nec gave with nec2c itself, in every build: to the last digit
// with the recording's C library, to 12 digits with another's.
TEST(NecCore, TheWholeCheckOnRecordedAnswersGivesWhatTheProgramGave) {
  int replays = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TANSHUKU_NEC_REPLAY_DIR)) {
    if (entry.path().extension() != ".replay") continue;
    ++replays;
    const Replay replay = readReplay(entry.path());
    ReplaySolver solver(replay);
    const Checked::Design design = designed(replay.options);
    const WholeCheck::Outcome outcome = WholeCheck::run(design, solver);
    const std::string json = JsonResult::text(design, outcome.figures);
#if defined(__GLIBC__) && defined(__x86_64__)
    EXPECT_EQ(json, replay.json) << entry.path();
#endif
    EXPECT_TRUE(alike(json, replay.json, 1e-12, 0.0)) << entry.path() << "\n" << json;
    EXPECT_EQ(solver.runs(), replay.runs) << entry.path();
  }
  EXPECT_GE(replays, 3);
}

// A device whose memory caps the helix below the design's: the lumped
// check's answer alone, the helix said to be beyond the device's cap on
// the screen, in the JSON and in the page's note; the cap's finer runs fit
// the memory it was made for (beside the straight segments and nec2c's
// other arrays), and 200 more would come near to filling it.
TEST(NecCore, AHelixBeyondTheDevicesCapIsLeftOutWithTheLumpedAnswer) {
  for (const double megabytes : {64.0, 512.0}) {
    const double bytes = megabytes * 1024 * 1024;
    const int cap = HelixLimits::mostSegmentsWithin(bytes);
    const auto finerBytes = [](int segments) {
      const int finer =
          HelixLimits::segmentsFor(static_cast<double>(segments) / HelixLimits::kSegmentsPerTurn,
                                   HelixLimits::kFinerSegmentsPerTurn);
      return HelixLimits::matrixGigabytes(finer) * 1e9;
    };
    EXPECT_LT(finerBytes(cap), bytes) << megabytes;
    EXPECT_GT(finerBytes(cap + 200), bytes * 0.8) << megabytes;
  }
  EXPECT_EQ(HelixLimits::mostSegmentsWithin(2.0 * 1024 * 1024 * 1024), HelixLimits::kMostSegments);

  const Replay replay =
      readReplay(std::filesystem::path(TANSHUKU_NEC_REPLAY_DIR) / "wound_whip.replay");
  const Checked::Design design = designed(replay.options);
  constexpr int kCap = 100;
  ReplaySolver solver(replay);
  const WholeCheck::Outcome outcome = WholeCheck::run(design, solver, {}, kCap);
  EXPECT_FALSE(outcome.wound);
  EXPECT_LT(solver.runs(), replay.runs);
  EXPECT_EQ(outcome.figures.helixNotRun, Results::HelixNotRun::beyondDevice);
  EXPECT_EQ(outcome.figures.helixDeviceMostSegments, kCap);
  const std::string segments = std::to_string(*outcome.figures.helixSegmentsNeeded);
  EXPECT_GT(*outcome.figures.helixSegmentsNeeded, kCap);
  EXPECT_NE(DesignReport::text(design, outcome.figures, Messages::Language::english)
                .find("a helix of " + segments +
                      " segments is beyond the 100 this device's memory "
                      "allows\n"),
            std::string::npos);
  EXPECT_NE(JsonResult::text(design, outcome.figures).find("\"helixNotRun\":\"beyondDevice\""),
            std::string::npos);
  for (const Messages::Language language :
       {Messages::Language::english, Messages::Language::japanese}) {
    EXPECT_EQ(DesignReport::pageNotes(outcome.figures, language).size(), 1U);
  }
  ReplaySolver whole(replay);
  EXPECT_TRUE(
      DesignReport::pageNotes(WholeCheck::run(design, whole).figures, Messages::Language::english)
          .empty());
}

// The page's link: each part as the command line's option of that name,
// percent-encoded or not, refused with the command line's subject.
TEST(NecCore, TheLinkGivesTheDesignOrTheCommandLinesRefusal) {
  using DesignValues::Problem;
  const std::string worked = "frequency=7.05&length=5&diameter=2&tip=2.5";
  struct Case {
    std::string link;
    std::optional<Problem> problem;  // none where the link is taken
    std::string subject;
    std::string detail;
  };
  const Case cases[] = {
      {worked, {}, "", ""},
      {"frequency=7%2E05&length=5&&diameter=2&tip%3D2.5&", Problem::unknownOption, "--tip=2.5", ""},
      {"frequency=7%2e05&length=5&diameter=2&base&conductor=aluminium", {}, "", ""},
      {"json&" + worked, Problem::unknownOption, "--json", ""},
      {worked + "&base=1", Problem::unknownOption, "--base=1", ""},
      {worked + "&q", Problem::missingValue, "--q", ""},
      {worked + "&conductor=", Problem::missingValue, "--conductor", ""},
      {worked + "&q=2%zz", Problem::notANumber, "--q", "2%zz"},
      {worked + "&q=", Problem::notANumber, "--q", ""},
      {worked + "&conductor=gold", Problem::unknownConductor, "gold", ""},
      {worked + "&base", Problem::baseWithTip, "--base", ""},
      {worked + "&pitch=2", Problem::incompleteCoil, "--coil-radius", ""},
      {"frequency=7.05&length=5&tip=2.5", Problem::missingDesign, "--diameter", ""},
      {"frequency=7.05&length=5&diameter=2", Problem::missingDesign, "--base or --tip", ""},
      {worked + "&tip=9", Problem::tipOutsideElement, "9", "5"},
  };
  for (const Case& c : cases) {
    const auto read = DesignLink::read(c.link);
    const auto* error = std::get_if<DesignValues::Error>(&read);
    ASSERT_EQ(error != nullptr, c.problem.has_value()) << c.link;
    if (error == nullptr) continue;
    EXPECT_EQ(error->problem, *c.problem) << c.link;
    EXPECT_EQ(error->subject, c.subject) << c.link;
    EXPECT_EQ(error->detail, c.detail) << c.link;
  }
  // Percent-encoded and bare parts give the design that the options give.
  const auto linked = DesignLink::read("frequency=7%2E05&length=5&diameter=2&base&dipole&");
  const Checked::Design fromLink = DesignValues::designOf(std::get<DesignValues::Values>(linked));
  const Checked::Design fromOptions =
      designed({"--frequency", "7.05", "--length", "5", "--diameter", "2", "--base", "--dipole"});
  EXPECT_EQ(fromLink.frequencyMhz, fromOptions.frequencyMhz);
  EXPECT_EQ(fromLink.dipole, fromOptions.dipole);
  EXPECT_EQ(fromLink.loading.tipM(), fromOptions.loading.tipM());
}

TEST(NecCore, AnAnalysersTouchstoneFileGivesItsImpedancesOrTheLineThatIsWrong) {
  struct Point {
    double frequencyHz, resistanceOhm, reactanceOhm;
  };
  struct Taken {
    std::string text;
    std::vector<Point> points;
    double referenceOhm = 50.0;
    bool sorted = false;
    int repeated = 0;
  };
  const Taken taken[] = {
      // No option line: GHz, S, MA, R 50; S = 0.5 gives 50 * 1.5 / 0.5 = 150 ohm.
      {"0.007 0.5 0\n", {{7e6, 150, 0}}},
      // S = j0.5: 50 (1 + 0.5j) / (1 - 0.5j) = 50 (0.75 + j) / 1.25 = 30 + j40.
      {"# MHz S RI R 50\n7 0 0.5\n", {{7e6, 30, 40}}},
      // Parts in any order and case: Z normalised to 75 ohm, 1 - j0.5 is 75 - j37.5.
      {"# r 75 ri z khz\n7050 1 -0.5\n", {{7.05e6, 75, -37.5}}, 75},
      // Y = 2 at 90 degrees: 50 / 2j = -j25.
      {"# Hz Y MA R 50\n7000000 2 90\n", {{7e6, 0, -25}}},
      // -6.0206 dB at 180 degrees: S = -0.5, 50 * 0.5 / 1.5 = 16.667 ohm.
      {"# MHz S DB\n7 -6.020599913279624 180\n", {{7e6, 50.0 / 3, 0}}},
      // A leading '+' and exponents: 1 - j0.1 of 50 ohm.
      {"# Hz Z RI\n7.0E+06 +1 -1E-1\n", {{7e6, 50, -5}}},
      // Comments, blank lines, CR LF, and a second option line that counts for nothing.
      {"! written by an analyser\r\n# MHz Z RI R 50\r\n# GHz Y MA R 75\r\n\r\n"
       "7 1 0 ! resonance\r\n  7.1\t1.2 0.2\r\n",
       {{7e6, 50, 0}, {7.1e6, 60, 10}}},
      // Out of order, 7 MHz twice: sorted, the last 7 MHz kept.
      {"# MHz Z RI\n7.2 1 0\n7 2 0\n7.1 3 0\n7 4 0\n",
       {{7e6, 200, 0}, {7.1e6, 150, 0}, {7.2e6, 50, 0}},
       50,
       true,
       1},
      // In order with a repeat: not sorted, the repeat counted.
      {"# MHz Z RI\n7 1 0\n7 2 0\n7.1 3 0\n", {{7e6, 100, 0}, {7.1e6, 150, 0}}, 50, false, 1},
  };
  for (const Taken& c : taken) {
    const auto read = Touchstone::read(c.text);
    ASSERT_TRUE(std::holds_alternative<Touchstone::OnePort>(read)) << c.text;
    const auto& port = std::get<Touchstone::OnePort>(read);
    EXPECT_EQ(port.referenceOhm, c.referenceOhm) << c.text;
    EXPECT_EQ(port.sorted, c.sorted) << c.text;
    EXPECT_EQ(port.repeated, c.repeated) << c.text;
    ASSERT_EQ(port.points.size(), c.points.size()) << c.text;
    for (size_t at = 0; at < c.points.size(); ++at) {
      EXPECT_NEAR(port.points[at].frequencyHz, c.points[at].frequencyHz, 1e-6) << c.text;
      EXPECT_NEAR(port.points[at].impedance.real(), c.points[at].resistanceOhm, 1e-9) << c.text;
      EXPECT_NEAR(port.points[at].impedance.imag(), c.points[at].reactanceOhm, 1e-9) << c.text;
    }
  }
  using Touchstone::Problem;
  struct Refused {
    std::string text;
    Problem problem;
    int line;
    std::string offending;  // the word or line concerned, without comment or line end
  };
  const Refused refused[] = {
      {"! v2\n[Version] 2.0\n", Problem::versionTwoKeyword, 2, "[Version] 2.0"},
      {"# MHz H RI\n", Problem::unknownOption, 1, "H"},
      {"# MHz R\n7 0 0\n", Problem::badReference, 1, "R"},
      {"# MHz R -50\n7 0 0\n", Problem::badReference, 1, "-50"},
      {"# MHz\n7 0 0\n# MHz\n", Problem::optionAfterData, 3, "# MHz"},
      {"# MHz S RI\n! c\n7 0.1 0,2\n", Problem::notANumber, 3, "0,2"},
      {"# MHz\n7 nan 0\n", Problem::notANumber, 2, "nan"},
      {"# MHz S RI\n7 1 2 3 4 5 6 7 8\n", Problem::notOnePort, 2, "7 1 2 3 4 5 6 7 8"},
      {"# MHz\r\n7 0.1 ! short\r\n", Problem::notOnePort, 2, "7 0.1"},
      {"# MHz Z RI\n0 1 0\n", Problem::frequencyNotPositive, 2, "0 1 0"},
      {"# MHz S RI\n7 1 0\n", Problem::noImpedance, 2, "7 1 0"},
      {"# MHz Y RI\n7 0 0\n", Problem::noImpedance, 2, "7 0 0"},
      {"! nothing\n# MHz\n", Problem::noData, 3, ""},
      {"", Problem::noData, 1, ""},
  };
  for (const Refused& c : refused) {
    const auto read = Touchstone::read(c.text);
    const auto* error = std::get_if<Touchstone::Error>(&read);
    ASSERT_TRUE(error) << c.text;
    EXPECT_EQ(std::tie(error->problem, error->line, error->text),
              std::tie(c.problem, c.line, c.offending))
        << c.text;
  }
  // The refusal's line names the file and the line, in either language.
  using Messages::Language;
  const Touchstone::Error shortLine{Problem::notOnePort, 12, "7 0.1"};
  EXPECT_EQ(Touchstone::describe(shortLine, "dipole.s1p", Language::english),
            "tanshuku-nec: dipole.s1p line 12: expected a frequency and two numbers (one port), "
            "not '7 0.1'");
  EXPECT_EQ(Touchstone::describe(shortLine, "dipole.s1p", Language::japanese),
            "tanshuku-nec: dipole.s1p の 12 行目: 周波数と二つの数値（1ポート）が必要です"
            "（'7 0.1' は不可）");
}

// A measured sweep made by hand, a point every 0.1 MHz from 7 MHz, as many
// as either list gives: the resistances in ohms (the last one holding for
// the points beyond its list) and the reactances (0 beyond theirs).
Touchstone::OnePort from7Mhz(const std::vector<double>& resistancesOhm,
                             const std::vector<double>& reactancesOhm = {}) {
  Touchstone::OnePort port{{}, 50.0, false, 0};
  for (size_t at = 0; at < std::max(resistancesOhm.size(), reactancesOhm.size()); ++at) {
    const double r = resistancesOhm[std::min(at, resistancesOhm.size() - 1)];
    const double x = at < reactancesOhm.size() ? reactancesOhm[at] : 0.0;
    port.points.push_back({(7.0 + 0.1 * static_cast<double>(at)) * 1e6, {r, x}});
  }
  return port;
}

// The vertex of the parabola through three points 0.1 MHz apart: the
// middle one's frequency moved by the offset, and its SWR.
std::pair<double, double> vertexOf(double mhz, double below, double at, double above) {
  const double bend = below - 2 * at + above;
  return {mhz + 0.1 * (below - above) / (2 * bend),
          at - (below - above) * (below - above) / (8 * bend)};
}

// Linear between two points, where the SWR is 2.
double swr2Between(double mhz0, double swr0, double mhz1, double swr1) {
  return mhz0 + (mhz1 - mhz0) * (2 - swr0) / (swr1 - swr0);
}

TEST(NecCore, AMeasuredSweepGivesItsResonancesLowestSwrAndSwr2Band) {
  using MeasuredFigures::Resonance;
  struct Found {
    std::string what;
    std::vector<double> resistancesOhm, reactancesOhm;
    std::vector<Resonance> resonances;
    std::optional<double> nearestTo7_8Mhz;  // rising ones first
  };
  const Found found[] = {
      // X = 0 a quarter of the way from 7.1 to 7.2 MHz, where R is 22 + 4 / 4.
      {"series", {20, 22, 26}, {-30, -10, 30}, {{7.125, 23, true}}, 7.125},
      {"parallel", {800, 1000, 600}, {200, 50, -150}, {{7.125, 900, false}}, 7.125},
      // Up, down, up, each three points after the one before: one rising,
      // where the middle crossing is (7.45).
      {"jitter rising",
       {30, 31, 32, 33, 34, 35, 36, 37, 38, 39},
       {-20, -2, 1, 2, 1, -1, -2, -1, 2, 20},
       {{7.45, 34.5, true}},
       7.45},
      {"jitter touching zero", {30}, {-20, -2, 1, -1, -20}, {}, std::nullopt},
      // Crossings 6 points after the one before are resonances of their own,
      // 5 after it one run.
      {"three apart",
       {50},
       {-10, 10, 20, 30, 40, 50, 30, -30, -40, -50, -60, -70, -30, 30},
       {{7.05, 50, true}, {7.65, 50, false}, {8.25, 50, true}},
       8.25},
      {"up and down five apart", {50}, {-10, 10, 20, 30, 40, 30, -30}, {}, std::nullopt},
  };
  for (const Found& c : found) {
    const MeasuredFigures::Figures figures =
        MeasuredFigures::of(from7Mhz(c.resistancesOhm, c.reactancesOhm));
    EXPECT_EQ(figures.resonances.size(), c.resonances.size()) << c.what;
    for (size_t at = 0; at < std::min(c.resonances.size(), figures.resonances.size()); ++at) {
      EXPECT_NEAR(figures.resonances[at].mhz, c.resonances[at].mhz, 1e-12) << c.what;
      EXPECT_NEAR(figures.resonances[at].resistanceOhm, c.resonances[at].resistanceOhm, 1e-9)
          << c.what;
      EXPECT_EQ(figures.resonances[at].rising, c.resonances[at].rising) << c.what;
    }
    const auto nearest = MeasuredFigures::nearest(figures, 7.8);
    EXPECT_EQ(nearest.has_value(), c.nearestTo7_8Mhz.has_value()) << c.what;
    EXPECT_NEAR(nearest ? nearest->mhz : 0.0, c.nearestTo7_8Mhz.value_or(0.0), 1e-12) << c.what;
  }
  struct Swr {
    std::string what;
    std::vector<double> resistancesOhm;  // on 50 ohm, an SWR of R / 50 or 50 / R
    std::pair<double, double> minimum;   // MHz, SWR
    std::optional<double> lowMhz, highMhz;
  };
  // SWRs 4, 1.5, 1.25, 1.2, 2.5; the vertex lies below 7.3 MHz, so the walk
  // upwards starts at 7.3.
  const auto middle = vertexOf(7.3, 1.25, 1.2, 2.5);
  // SWRs 2.2, 1.2, 5: the vertex, below 7.1 MHz, dips below an SWR of 1,
  // and the walk downwards starts at it.
  const double towardLow = vertexOf(7.1, 2.2, 1.2, 5).first;
  const Swr swrs[] = {
      {"both ends",
       {200, 75, 40, 60, 125},
       middle,
       swr2Between(7.1, 1.5, 7.0, 4),
       swr2Between(7.3, 1.2, 7.4, 2.5)},
      {"no low end",
       {75, 40, 60, 125},
       {middle.first - 0.1, middle.second},
       std::nullopt,
       swr2Between(7.2, 1.2, 7.3, 2.5)},
      {"kept at 1",
       {110, 60, 250},
       {towardLow, 1.0},
       swr2Between(towardLow, 1.0, 7.0, 2.2),
       swr2Between(7.1, 1.2, 7.2, 5)},
      // At an end the lowest point is taken as it is.
      {"lowest at the end", {150, 75, 50}, {7.2, 1.0}, swr2Between(7.1, 1.5, 7.0, 3), std::nullopt},
      {"never 2", {200, 150, 125}, {7.2, 2.5}, std::nullopt, std::nullopt},
  };
  for (const Swr& c : swrs) {
    const MeasuredFigures::Figures figures = MeasuredFigures::of(from7Mhz(c.resistancesOhm));
    EXPECT_TRUE(figures.resonances.empty()) << c.what;
    EXPECT_NEAR(figures.minimumSwrMhz.value_or(NAN), c.minimum.first, 1e-12) << c.what;
    EXPECT_NEAR(figures.minimumSwr.value_or(NAN), c.minimum.second, 1e-12) << c.what;
    EXPECT_NEAR(figures.swr2LowMhz.value_or(0.0), c.lowMhz.value_or(0.0), 1e-12) << c.what;
    EXPECT_NEAR(figures.swr2HighMhz.value_or(0.0), c.highMhz.value_or(0.0), 1e-12) << c.what;
  }
}

// A JSON text with each number as '#', and the numbers.
std::pair<std::string, std::vector<double>> numbersOut(const std::string& json) {
  const std::regex number(R"(([:,\[])(-?\d[\d.eE+-]*))");
  std::vector<double> numbers;
  for (auto it = std::sregex_iterator(json.begin(), json.end(), number);
       it != std::sregex_iterator(); ++it) {
    numbers.push_back(std::stod((*it)[2].str()));
  }
  return {std::regex_replace(json, number, "$1#"), numbers};
}

TEST(NecCore, AMeasuredFilesFiguresOnTheScreenAndInJson) {
  // A whip's sweep, 6.9 MHz given twice and 7.1 before 7.0.
  const auto read = Touchstone::read(
      "# MHz Z RI R 50\n6.0 10 3\n6.2 12 -2\n6.4 4 -3\n6.6 2 -2\n6.8 1.4 -1.4\n6.9 9 9\n"
      "7.1 1 0.4\n7.0 0.8 -0.4\n6.9 1 -1\n7.2 1.2 1.2\n");
  const auto& port = std::get<Touchstone::OnePort>(read);
  const MeasuredFigures::Figures figures = MeasuredFigures::of(port);
  // In ohms: 500 + j150 to 600 - j100 falls through 0 at 6.12 MHz, where R
  // is 560; 40 - j20 to 50 + j20 rises at 7.05, R 45. On 50 ohm the SWRs
  // at 6.9, 7.0, 7.1 and 7.2 MHz are 2.618, 1.6404, 1.4879 and 2.8869; the
  // parabola through the last three has its vertex at 7.05983 MHz, SWR
  // 1.36273; the SWR is 2 at 6.96322 and 7.13660 MHz.
  const auto [skeleton, numbers] = numbersOut(MeasuredReport::json(figures));
  EXPECT_EQ(skeleton,
            R"({"resonances":[{"mhz":#,"resistanceOhm":#,"rising":false},)"
            R"({"mhz":#,"resistanceOhm":#,"rising":true}],"minimumSwr":#,"minimumSwrMhz":#,)"
            R"("swr2LowMhz":#,"swr2HighMhz":#,"points":#})");
  const double expected[] = {6.12, 560, 7.05, 45, 1.36273, 7.05983, 6.96322, 7.13660, 9};
  ASSERT_EQ(numbers.size(), std::size(expected));
  for (size_t at = 0; at < numbers.size(); ++at) EXPECT_NEAR(numbers[at], expected[at], 5e-6) << at;
  using Messages::Language;
  EXPECT_EQ(MeasuredReport::text(port, figures, 7.05, Language::english),
            "Measured: 9 points, 6.0000–7.2000 MHz\n"
            "Note: the file's frequencies were out of order: sorted; 1 repeated frequency: the "
            "last point kept\n"
            "Resonances (reactance through zero):\n"
            "  7.0500 MHz  R  45.0 ohm  reactance rising (series)  nearest to 7.05 MHz\n"
            "  6.1200 MHz  R 560.0 ohm  reactance falling (parallel)\n"
            "Lowest SWR on 50 ohm: 1.36 at 7.0598 MHz\n"
            "SWR 2 band on 50 ohm: 6.9632 to 7.1366 MHz (173.4 kHz)\n");
  EXPECT_EQ(MeasuredReport::text(port, figures, 7.05, Language::japanese),
            "測定: 9 点、6.0000～7.2000 MHz\n"
            "注意: ファイルの周波数が昇順でないため並べ替えました。周波数の重複 1 件: "
            "最後の点を採用しました\n"
            "共振（リアクタンスが 0 を通る点）:\n"
            "  7.0500 MHz  R  45.0 Ω  リアクタンスが負から正（直列）  7.05 MHz に最も近い\n"
            "  6.1200 MHz  R 560.0 Ω  リアクタンスが正から負（並列）\n"
            "最小 SWR（50 Ω）: 1.36（7.0598 MHz）\n"
            "SWR 2 以下の帯域（50 Ω）: 6.9632～7.1366 MHz（173.4 kHz）\n");
  // The figures that do not exist are null; without a frequency the
  // resonances are in ascending order.
  const MeasuredFigures::Figures far = MeasuredFigures::of(from7Mhz({200, 150}));
  EXPECT_EQ(MeasuredReport::json(far),
            R"({"resonances":[],"minimumSwr":3,"minimumSwrMhz":7.1,"swr2LowMhz":null,)"
            R"("swr2HighMhz":null,"points":2})");
  EXPECT_NE(MeasuredReport::text(port, figures, std::nullopt, Language::english)
                .find("zero):\n  6.1200 MHz  R 560.0 ohm  reactance falling (parallel)\n"
                      "  7.0500 MHz  R  45.0 ohm  reactance rising (series)\nLowest"),
            std::string::npos);
}

TEST(NecCore, TheMaaFileHasTheLayoutOfMmanaGalsOwnFiles) {
  const MaaFile::Design example{7.05,
                                5.0,
                                0.001,
                                2.5,
                                21.3,
                                std::nullopt,
                                MaaFile::Material::copper,
                                false,
                                "Lossless coil."};
  EXPECT_EQ(MaaFile::text(example),
            "5 m vertical, 21.3 uH coil 2.5 m below tip, Cu wire, perfect ground\r\n"
            "*\r\n"
            "7.05\r\n"
            "***Wires***\r\n"
            "1\r\n"
            "0.0, 0.0, 0.0, 0.0, 0.0, 5.0, 0.001, -1\r\n"
            "***Source***\r\n"
            "1, 0\r\n"
            "w1b, 0.0, 1.0\r\n"
            "***Load***\r\n"
            "1, 0\r\n"
            "w1c, 0, 21.3, 0.0, 0.0\r\n"
            "***Segmentation***\r\n"
            "800, 80, 2.0, 2\r\n"
            "***G/H/M/R/AzEl/X***\r\n"
            "1, 0.0, 1, 50.0, 120, 60, 0.0\r\n"
            "###Comment###\r\n"
            "Lossless coil.\r\n");
  MaaFile::Design lower = example;
  lower.tipM = 1.5;
  lower.coilQ = 200.0;
  lower.dipole = true;
  const std::string dipole = MaaFile::text(lower);
  EXPECT_NE(dipole.find("***Wires***\r\n3\r\n0.0, 0.0, -5.0, 0.0, 0.0, -3.5, 0.001, -1\r\n"
                        "0.0, 0.0, -3.5, 0.0, 0.0, 3.5, 0.001, -1\r\n"),
            std::string::npos);
  EXPECT_NE(dipole.find("w2c, 0.0, 1.0\r\n***Load***\r\n2, 0\r\nw2b, 0, 21.3, 0.0, 200.0\r\n"
                        "w2e, 0, 21.3, 0.0, 200.0\r\n"),
            std::string::npos);
  EXPECT_NE(dipole.find("\r\n0, 0.0, 1, 50.0"), std::string::npos);  // free space
}

}  // namespace
