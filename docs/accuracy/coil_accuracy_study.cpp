// The coil accuracy study: writes the data of the plots into a folder and
// fills the tables of the page, between its marker lines
//   <!-- table: NAME -->
//   <!-- end of table -->
// Usage: coil_accuracy_study DATA_FOLDER PAGE...
// A page whose name ends in .ja.md gets its tables in Japanese.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "docs/accuracy/coil_comparison.hpp"
#include "docs/accuracy/coil_reference.hpp"
#include "docs/accuracy/page_tables.hpp"

namespace {

using namespace CoilComparison;
using PageTables::Language;
using PageTables::say;

std::string format(const char* pattern, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

long double percent(long double ratio) { return 100.0L * ratio; }

// Ratios from low to high, evenly spaced on a logarithmic scale.
std::vector<double> logarithmicRatios(double low, double high, int count) {
  std::vector<double> ratios;
  for (int i = 0; i < count; ++i) {
    ratios.push_back(low * std::pow(high / low, i / (count - 1.0)));
  }
  return ratios;
}

// Coils of one wire, pitch and diameter with every number of turns from 2
// up to a radius / length of 0.05: the shapes a builder can choose from.
struct CoilFamily {
  const char* name;
  double diameterMm;
  double pitchMm;
  double wireDiameterMm;
};

constexpr CoilFamily kFamilies[] = {
    {"family-25", 25.4, 1.0, 0.8},
    {"family-50", 50.0, 2.0, 1.0},
    {"family-200", 200.0, 2.5, 1.5},
};

std::vector<WoundCoil> familyCoils(const CoilFamily& family) {
  std::vector<WoundCoil> coils;
  for (int turns = 2;; ++turns) {
    WoundCoil coil{family.diameterMm, turns, family.pitchMm, family.wireDiameterMm};
    if (coil.radiusToLength() < 0.05) break;
    coils.push_back(coil);
  }
  return coils;
}

std::string coilName(const WoundCoil& coil, Language language) {
  return format(say(language, "%g mm, %d turns at %g mm, wire %g mm",
                    "直径%g mm、%d巻、ピッチ%g mm、線径%g mm"),
                coil.diameterMm, coil.turns, coil.pitchMm, coil.wireDiameterMm);
}

void writeNagaokaData(const std::string& folder) {
  std::ofstream file(folder + "/nagaoka.dat");
  file << "# r/l  exact K  program K  error %\n";
  double previous = 1.0;
  for (double ratio : logarithmicRatios(0.05, 100.0, 801)) {
    NagaokaPoint point = compareNagaoka(ratio);
    // A blank line keeps the plot from joining the two sides of the pole.
    if ((point.program < 0.0) != (previous < 0.0)) file << '\n';
    previous = point.program;
    file << format("%.6g %.10Lf %.10f %.6Lf\n", ratio, point.exact, point.program,
                   percent(point.error));
  }
}

void writeFamilyData(const std::string& folder) {
  for (const CoilFamily& family : kFamilies) {
    std::ofstream file(folder + "/" + family.name + ".dat");
    file << "# r/l  turns  K error %  inductance error %  close-wound error %  turns error %\n";
    for (const WoundCoil& coil : familyCoils(family)) {
      InductanceComparison inductance = compareInductance(coil);
      TurnsComparison turns = compareTurns(coil);
      file << format("%.6g %d %.6Lf %.6Lf %.6Lf %.6Lf\n", coil.radiusToLength(), coil.turns,
                     percent(compareNagaoka(coil.radiusToLength()).error),
                     percent(inductance.error), percent(inductance.closeWoundError),
                     percent(turns.error));
    }
  }
}

void writeStudyCoilData(const std::string& folder) {
  std::ofstream file(folder + "/coils.dat");
  file << "# r/l  inductance error %  turns error %\n";
  for (const WoundCoil& coil : studyCoils()) {
    file << format("%.6g %.6Lf %.6Lf\n", coil.radiusToLength(),
                   percent(compareInductance(coil).error), percent(compareTurns(coil).error));
  }
}

std::string nagaokaTable(Language language) {
  std::string table =
      say(language, "| r / l | 2r / l | exact K | program's K | program's error |\n",
          "| r/l | 2r/l | 厳密なK | プログラムのK | プログラムの誤差 |\n");
  table += "|---:|---:|---:|---:|---:|\n";
  for (double ratio : {0.05, 0.1, 0.2, 0.3, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 5.0, 7.5, 10.0, 15.0,
                       20.0, 30.0, 45.0, 50.0}) {
    NagaokaPoint point = compareNagaoka(ratio);
    table += format("| %g | %g | %.5Lf | %.5f | %+.3Lf %% |\n", ratio, 2.0 * ratio, point.exact,
                    point.program, percent(point.error));
  }
  return table;
}

std::string inductanceTable(Language language) {
  std::string table = say(
      language,
      "| coil | r / l | exact (Rosa) | ring sum | program | error | program, pitch 0 | error "
      "| program, length (N−1)p | error | wire's internal inductance |\n",
      "| コイル | r/l | 厳密な値（ローザ） | リングの和 | プログラム | 誤差 "
      "| プログラム、ピッチ0 | 誤差 | プログラム、長さ(N−1)p | 誤差 | 線の内部インダクタンス |\n");
  table += "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  for (const WoundCoil& coil : studyCoils()) {
    InductanceComparison c = compareInductance(coil);
    table +=
        format("| %s | %.3f | %.4Lf | %.4Lf | %.4f | %+.2Lf %% | %.4f | %+.2Lf %% ",
               coilName(coil, language).c_str(), coil.radiusToLength(), c.referenceUh, c.ringSumUh,
               c.programUh, percent(c.error), c.programCloseWoundUh, percent(c.closeWoundError));
    table += format("| %.4f | %+.2Lf %% | %.2Lf %% |\n", c.programShortLengthUh,
                    percent(c.shortLengthError), percent(c.internalInductanceShare));
  }
  return table;
}

std::string turnsTable(Language language) {
  std::string table =
      say(language,
          "| coil | wanted μH | exact turns (root search) | current-sheet turns | program's turns "
          "| program's error | against the current sheet |\n",
          "| コイル | 希望のインダクタンス（μH） | 厳密な巻数（根の探索） | 電流シートの巻数 "
          "| プログラムの巻数 | プログラムの誤差 | 電流シートとの差 |\n");
  table += "|---|---:|---:|---:|---:|---:|---:|\n";
  for (const WoundCoil& coil : studyCoils()) {
    TurnsComparison c = compareTurns(coil);
    table += format("| %s | %.4Lf | %.4Lf | %.4Lf | %.4f | %+.2Lf %% | %+.2Lf %% |\n",
                    coilName(coil, language).c_str(), c.wantedUh, c.exactTurns, c.currentSheetTurns,
                    c.programTurns, percent(c.error), percent(c.currentSheetError));
  }
  return table;
}

std::string wireCorrectionTable(Language language) {
  std::string table =
      say(language, "| d / p | program's A | Rosa's G | | N | program's B | Rosa's H |\n",
          "| d/p | プログラムのA | ローザのG | | N | プログラムのB | ローザのH |\n");
  table += "|---:|---:|---:|---|---:|---:|---:|\n";
  constexpr double kDiameterToPitch[] = {1.0, 0.9, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2};
  constexpr double kTurns[] = {2, 3, 5, 10, 20, 50, 100, 300, 1000};
  for (int row = 0; row < 9; ++row) {
    double ratio = kDiameterToPitch[row];
    double turns = kTurns[row];
    table += format(
        "| %g | %.4f | %.4Lf | | %g | %.4f | %.4Lf |\n", ratio, programWireCorrectionA(ratio),
        CoilReference::selfInductanceCorrection(ratio, 1.0L), turns, programWireCorrectionB(turns),
        CoilReference::mutualInductanceCorrection(turns));
  }
  return table;
}

// The reference checked against published values: Nagaoka's coefficient as
// tabulated by diameter / length, Rosa's H by number of turns.
std::string referenceCheckTable(Language language) {
  struct Tabulated {
    double argument;
    double value;
  };
  constexpr Tabulated kNagaoka[] = {{0.1, 0.9588}, {0.2, 0.9201}, {0.5, 0.8181}, {1.0, 0.6884},
                                    {2.0, 0.5255}, {4.0, 0.3654}, {5.0, 0.3198}, {10.0, 0.2033}};
  constexpr Tabulated kRosa[] = {{2, 0.1137}, {3, 0.1663}, {4, 0.1973}, {5, 0.2180}, {6, 0.2329},
                                 {7, 0.2443}, {8, 0.2532}, {9, 0.2604}, {10, 0.2664}};
  std::string table = say(language, "| quantity | argument | tabulated | computed here |\n",
                          "| 量 | 引数 | 表の値 | この検証での計算値 |\n");
  table += "|---|---:|---:|---:|\n";
  for (const Tabulated& entry : kNagaoka) {
    table += format(say(language, "| Nagaoka's K | 2r / l = %g | %.4f | %.6Lf |\n",
                        "| 長岡係数K | 2r/l = %g | %.4f | %.6Lf |\n"),
                    entry.argument, entry.value,
                    CoilReference::nagaokaCoefficient(entry.argument / 2.0));
  }
  for (const Tabulated& entry : kRosa) {
    table += format(say(language, "| Rosa's H | N = %g | %.4f | %.6Lf |\n",
                        "| ローザのH | N = %g | %.4f | %.6Lf |\n"),
                    entry.argument, entry.value,
                    CoilReference::mutualInductanceCorrection(entry.argument));
  }
  table += format(say(language, "| Rosa's G | d = p | 0.557 | %.6Lf |\n",
                      "| ローザのG | d = p | 0.557 | %.6Lf |\n"),
                  CoilReference::selfInductanceCorrection(1.0L, 1.0L));
  return table;
}

long double median(std::vector<long double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0L;
}

// The largest ratio from 0.05 on up to which the program's coefficient stays
// within the bound, on a fine logarithmic grid.
double ratioWithin(const std::vector<NagaokaPoint>& points, long double bound) {
  double last = points.front().radiusToLength;
  for (const NagaokaPoint& point : points) {
    if (std::fabs(point.error) > bound) break;
    last = point.radiusToLength;
  }
  return last;
}

std::string headlineTable(Language language) {
  std::vector<NagaokaPoint> points;
  for (double ratio : logarithmicRatios(0.05, 20.0, 2001)) points.push_back(compareNagaoka(ratio));
  auto largest = std::max_element(points.begin(), points.end(), [](auto& a, auto& b) {
    return std::fabs(a.error) < std::fabs(b.error);
  });
  std::vector<long double> typical;
  long double largestUpTo10 = 0.0L;
  for (const NagaokaPoint& point : points) {
    if (point.radiusToLength <= 10.0) {
      typical.push_back(std::fabs(point.error));
      largestUpTo10 = std::max(largestUpTo10, std::fabs(point.error));
    }
  }
  std::vector<long double> inductanceErrors, closeWoundErrors, turnsErrors;
  long double referenceSpread = 0.0L;
  for (const WoundCoil& coil : studyCoils()) {
    InductanceComparison c = compareInductance(coil);
    inductanceErrors.push_back(std::fabs(c.error));
    closeWoundErrors.push_back(std::fabs(c.closeWoundError));
    turnsErrors.push_back(std::fabs(compareTurns(coil).error));
    referenceSpread = std::max(referenceSpread, std::fabs(c.ringSumUh / c.referenceUh - 1.0L));
  }
  auto largestOf = [](const std::vector<long double>& values) {
    return *std::max_element(values.begin(), values.end());
  };
  std::string table = say(language, "| figure | value |\n", "| 項目 | 値 |\n");
  table += "|---|---:|\n";
  table += format(say(language,
                      "| Nagaoka coefficient, largest error for r / l from 0.05 to 20 "
                      "| %.1Lf %% at r / l = %g |\n",
                      "| 長岡係数の最大誤差（r/lが0.05～20） | %.1Lf %%（r/l = %g） |\n"),
                  percent(largest->error), largest->radiusToLength);
  table += format(say(language,
                      "| Nagaoka coefficient, largest error for r / l from 0.05 to 10 "
                      "| %.2Lf %% |\n",
                      "| 長岡係数の最大誤差（r/lが0.05～10） | %.2Lf %% |\n"),
                  percent(largestUpTo10));
  table += format(say(language,
                      "| Nagaoka coefficient, median error for r / l from 0.05 to 10 "
                      "| %.2Lf %% |\n",
                      "| 長岡係数の誤差の中央値（r/lが0.05～10） | %.2Lf %% |\n"),
                  percent(median(typical)));
  for (long double bound : {0.01L, 0.02L, 0.05L, 0.10L}) {
    table +=
        format(say(language, "| Nagaoka coefficient within ±%.0Lf %% | r / l from 0.05 to %.2f |\n",
                   "| 長岡係数の誤差が±%.0Lf %%以内の範囲 | r/lが0.05～%.2f |\n"),
               percent(bound), ratioWithin(points, bound));
  }
  table += format(say(language, "| program's coefficient turns negative | r / l above %.3f |\n",
                      "| プログラムの係数が負になる範囲 | r/lが%.3fを超えるところ |\n"),
                  programNagaokaSignChange());
  table += format(say(language,
                      "| coils above, inductance: largest error / median error "
                      "| %.2Lf %% / %.2Lf %% |\n",
                      "| 実際のコイル8個、インダクタンス：最大誤差/誤差の中央値 "
                      "| %.2Lf %%/%.2Lf %% |\n"),
                  percent(largestOf(inductanceErrors)), percent(median(inductanceErrors)));
  table += format(say(language,
                      "| coils above, inductance with pitch typed as 0: largest error "
                      "| %.2Lf %% |\n",
                      "| 実際のコイル8個、ピッチを0と入れたときのインダクタンス：最大誤差 "
                      "| %.2Lf %% |\n"),
                  percent(largestOf(closeWoundErrors)));
  table += format(
      say(language, "| coils above, turns: largest error / median error | %.2Lf %% / %.2Lf %% |\n",
          "| 実際のコイル8個、巻数：最大誤差/誤差の中央値 | %.2Lf %%/%.2Lf %% |\n"),
      percent(largestOf(turnsErrors)), percent(median(turnsErrors)));
  table += format(say(language,
                      "| reference check: Rosa against the ring sum, largest difference "
                      "| %.3Lf %% |\n",
                      "| 基準の確かめ：ローザの式とリングの和の最大の差 | %.3Lf %% |\n"),
                  percent(referenceSpread));
  return table;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: coil_accuracy_study DATA_FOLDER PAGE...\n";
    return 2;
  }
  const std::string folder = argv[1];
  writeNagaokaData(folder);
  writeFamilyData(folder);
  writeStudyCoilData(folder);
  bool filled = PageTables::fill({argv + 2, argv + argc}, [](Language language) {
    return PageTables::Tables{{"reference-check", referenceCheckTable(language)},
                              {"nagaoka", nagaokaTable(language)},
                              {"wire-corrections", wireCorrectionTable(language)},
                              {"inductance", inductanceTable(language)},
                              {"turns", turnsTable(language)},
                              {"headline", headlineTable(language)}};
  });
  return filled ? 0 : 1;
}
