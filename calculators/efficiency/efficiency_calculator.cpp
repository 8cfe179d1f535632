#include "calculators/efficiency/efficiency_calculator.hpp"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "calculators/dialogue.hpp"
#include "calculators/efficiency/loading_point_guides.hpp"
#include "calculators/ln10.hpp"
#include "console/console_io.hpp"
#include "console/stored.hpp"

// Radiation efficiency of a shortened element against a full-size quarter
// wave: the current on a quarter wave (velocity factor 0.96) goes as the
// cosine of the electrical angle; the share of it, summed over 1800 samples,
// that lies on the two conductor sections is the efficiency. Coil losses and
// coil radiation are left out.
namespace EfficiencyCalculator {
namespace {

// Widens a stored double, so that the arithmetic it starts is done in the
// extended format as well.
using Extended = long double;

std::int16_t bandCount;
double frequencyMhz;
double nearLoadingPointM;     // L1: feed point to the nearest loading point
double farLoadingPointM;      // L2: tip to the loading point nearest the tip
double shortenedWavelengthM;  // λ
double nearAngle;             // a1: where the feed-point section ends
double farAngle;              // a2: where the tip section begins
double sampleAngle;
double sampleCurrent;
double elementCurrentSum;
double fullCurrentSum;
double efficiency;
double efficiencyDb;

constexpr std::int16_t kSampleCount = 1800;

constexpr std::string_view kIntroduction[] = {
    "*************************短縮アンテナ　能率計算ソフト*******************",
    " ",
    "                                               tanshuku ver.1.0  (C) 2026",
    " ",
    " ",
    "コイルによる電力損失、放射を無視し、エレメントだけの放射を算出します",
    "ベースローディングでは最小値となり、実際はコイルの放射分だけ能率は良くなります",
    "センターローディング、トップローディングは有り得る最大能率を算出します",
    "　　　　　→ちなみに最小能率時はベースローディングと同じになります。",
    "２カ所以上の時は、トラップの定数が問題になるため完全な答えはでません",
    "　                       　そこで、計算を簡略化し、概算で算出します。",
    " ",
    "波長短縮率は0.96固定です。また、Ｗ３ＤＺＺアンテナは計算できません",
    " ",
    " ",
    " ",
    " ",
    "そのアンテナのバンド数を入力するとヘルプがでます",
    "1～8以外の数字を入力するとヘルプを飛ばして次に進みます ",
    " ",
    " ",
};

constexpr std::string_view kFrequencyPrompt = "     周波数は　？ＭＨｚ　ですか？？     ";
constexpr std::string_view kNearLoadingPointPrompt =
    "給電点に近いローディング点は、給電点から何メートルですか？（Ｌ１）   ";
constexpr std::string_view kFarLoadingPointPrompt =
    "先端に近いローディング点は、先端から何メートルですか？（Ｌ２）   ";

constexpr std::string_view kCalculating[] = {" ", " ", " ", "      ただ今計算中"};

constexpr std::string_view kSectionsTooLong[] = {
    " ",
    "入力されたデーターは誤りです",
    "                  でも、一応計算は実行します",
};

constexpr std::string_view kClosingLine =
    "                                               リターンキーを押してください";

void writeBlankLines(int count) {
  for (int line = 0; line < count; ++line) ConsoleIo::writeLine(" ");
}

void introduce() {
  ConsoleIo::writeText(" ");
  ConsoleIo::writeLines(kIntroduction);
}

// The band count only picks the help screen; any other count shows none.
void showGuideForBandCount() {
  bandCount = ConsoleIo::readInteger();
  ConsoleIo::writeLine(" ");
  if (bandCount == 1) {
    LoadingPointGuides::singleBandGuide();
  } else if (bandCount == 2) {
    LoadingPointGuides::twoBandGuide();
  } else if (bandCount >= 3 && bandCount <= 8) {
    LoadingPointGuides::multiBandGuide();
  }
}

void askElement() {
  frequencyMhz = Dialogue::ask(kFrequencyPrompt, 3);
  nearLoadingPointM = Dialogue::ask(kNearLoadingPointPrompt, 2);
  farLoadingPointM = Dialogue::ask(kFarLoadingPointPrompt);
}

// Sections longer than a shortened quarter wave are reported, and the
// computation goes on anyway. f = 0 stops the program here.
void warnIfSectionsTooLong() {
  if (Extended{nearLoadingPointM} + farLoadingPointM > 288.0L / (4.0L * frequencyMhz)) {
    ConsoleIo::writeLines(kSectionsTooLong);
  }
}

// 6.28 stands where 2π would: a quarter wave spans 1.57 radians.
void computeAngles() {
  shortenedWavelengthM = stored(288.0L / frequencyMhz);
  nearAngle = stored(stored(nearLoadingPointM / Extended{shortenedWavelengthM}) * 6.28L);
  farAngle = stored((0.25L - stored(farLoadingPointM / Extended{shortenedWavelengthM})) * 6.28L);
}

// A sample lying exactly on a section boundary counts for neither section;
// where the sections overlap, a sample counts for both.
void sumCurrents() {
  elementCurrentSum = 0.0;
  fullCurrentSum = 0.0;
  for (std::int16_t sample = 1; sample <= kSampleCount; ++sample) {
    sampleAngle = stored(sample * 3.14L / 3600.0L);
    sampleCurrent = stored(cosl(sampleAngle));
    if (nearAngle > sampleAngle) {
      elementCurrentSum = stored(Extended{elementCurrentSum} + sampleCurrent);
    }
    if (farAngle < sampleAngle) {
      elementCurrentSum = stored(Extended{elementCurrentSum} + sampleCurrent);
    }
    fullCurrentSum = stored(Extended{fullCurrentSum} + sampleCurrent);
  }
}

void writeEfficiency() {
  efficiency = stored(Extended{elementCurrentSum} / fullCurrentSum);
  writeBlankLines(2);
  Dialogue::writeResult("能率は、真数で", efficiency, 5, 3, "です");
}

// Computed only after the efficiency line is out: an efficiency of 0 stops
// the program here, with that line on the screen.
void writeEfficiencyDb() {
  efficiencyDb = stored(20.0L * logl(efficiency) / kLn10);
  ConsoleIo::writeLine(" ");
  Dialogue::writeResult("能率（利得）は ", efficiencyDb, 5, 2, "ｄＢです ");
  writeBlankLines(3);
}

// The blank after the pause is the first byte of the menu's first line.
void closingPause() {
  ConsoleIo::writeLine(kClosingLine);
  ConsoleIo::waitForReturn();
  ConsoleIo::writeText(" ");
}

}  // namespace

void run() {
  introduce();
  showGuideForBandCount();
  askElement();
  ConsoleIo::writeLines(kCalculating);
  warnIfSectionsTooLong();
  computeAngles();
  sumCurrents();
  writeEfficiency();
  writeEfficiencyDb();
  closingPause();
}

}  // namespace EfficiencyCalculator
