#include "calculators/efficiency/efficiency_calculator.hpp"

#include <cstdint>
#include <string_view>

#include "calculators/efficiency/efficiency_formulas.hpp"
#include "calculators/efficiency/loading_point_guides.hpp"
#include "calculators/prompts.hpp"
#include "calculators/questions_and_results.hpp"
#include "console/console_io.hpp"

namespace EfficiencyCalculator {
namespace {

using EfficiencyFormulas::CurrentSums;
using EfficiencyFormulas::Element;
using EfficiencyFormulas::SectionAngles;

// The band count is typed two blank lines below these, at the end of the
// introduction.
constexpr std::string_view kBandCountQuestion = "そのアンテナのバンド数を入力するとヘルプがでます";
constexpr std::string_view kSkipGuideNote =
    "1～8以外の数字を入力するとヘルプを飛ばして次に進みます ";

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
    kBandCountQuestion,
    kSkipGuideNote,
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

void introduce() {
  ConsoleIo::writeText(" ");
  ConsoleIo::writeLines(kIntroduction);
}

// The band count only picks the help screen; any other count shows none.
void showGuideForBandCount() {
  const std::int16_t bandCount = ConsoleIo::readInteger();
  ConsoleIo::writeBlankLines(1);
  if (bandCount == 1) {
    LoadingPointGuides::singleBandGuide();
  } else if (bandCount == 2) {
    LoadingPointGuides::twoBandGuide();
  } else if (bandCount >= 3 && bandCount <= 8) {
    LoadingPointGuides::multiBandGuide();
  }
}

Element askElement() {
  const double frequencyMhz = QuestionsAndResults::ask(kFrequencyPrompt, 3);
  const double nearLoadingPointM = QuestionsAndResults::ask(kNearLoadingPointPrompt, 2);
  const double farLoadingPointM = QuestionsAndResults::ask(kFarLoadingPointPrompt);
  return {frequencyMhz, nearLoadingPointM, farLoadingPointM};
}

// Sections longer than a shortened quarter wave are reported, and the
// computation goes on anyway. f = 0 stops the program here.
void warnIfSectionsTooLong(const EfficiencyFormulas::Element& element) {
  if (EfficiencyFormulas::sectionsTooLong(element)) ConsoleIo::writeLines(kSectionsTooLong);
}

void writeEfficiency(double ratio) {
  ConsoleIo::writeBlankLines(2);
  QuestionsAndResults::writeResult("能率は、真数で", ratio, 5, 3, "です");
}

void writeEfficiencyDb(double decibels) {
  ConsoleIo::writeBlankLines(1);
  QuestionsAndResults::writeResult("能率（利得）は ", decibels, 5, 2, "ｄＢです ");
  ConsoleIo::writeBlankLines(3);
}

// The blank after the pause is the first byte of the menu's first line.
void closingPause() {
  ConsoleIo::writeLine(Prompts::kClosingPressReturn);
  ConsoleIo::waitForReturn();
  ConsoleIo::writeText(" ");
}

}  // namespace

void run() {
  introduce();
  showGuideForBandCount();
  const Element element = askElement();
  ConsoleIo::writeLines(kCalculating);
  warnIfSectionsTooLong(element);
  const SectionAngles angles = EfficiencyFormulas::sectionAngles(element);
  const CurrentSums sums = EfficiencyFormulas::sumCurrents(angles);
  const double ratio = EfficiencyFormulas::efficiency(sums);
  writeEfficiency(ratio);
  // Computed only after the efficiency line is out: an efficiency of 0 stops
  // the program here, with that line on the screen.
  const double decibels = EfficiencyFormulas::efficiencyDb(ratio);
  writeEfficiencyDb(decibels);
  closingPause();
}

}  // namespace EfficiencyCalculator
