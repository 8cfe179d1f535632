// Menu entry 5: how much shorter than a free-space quarter wave each element
// of a resonant half-wave dipole must be, and the element length that follows.
#include "calculators/dipole/dipole_calculator.hpp"

#include <string_view>

#include "calculators/dipole/dipole_formulas.hpp"
#include "calculators/questions_and_results.hpp"
#include "console/console_io.hpp"

namespace DipoleCalculator {
namespace {

constexpr std::string_view kIntroduction[] = {
    " ",
    " ",
    " ",
    "***************** 半波長ダイポールアンテナの計算です********************",
    " ",
    "                                                     tanshuku ver.1.0  (C) 2026 ",
    " ",
    " ",
    "                 単純に半波長ダイポールアンテナを作るためのおまけソフトです ",
    "                 　　　この寸法どうり作ると、共振するはずです。",
    " ",
    " ",
    " ",
};

// Both questions are lines of their own: the answer is typed below them.
constexpr std::string_view kFrequencyQuestion = "　　　　　　　　　　中心周波数は？ＭＨｚですか";
constexpr std::string_view kDiameterQuestion = "                    アンテナの直径は？ｍｍですか";

constexpr std::string_view kShorteningText = "波長短縮率は";
constexpr std::string_view kShorteningUnit = "％  です";
constexpr std::string_view kLengthText = "入力された周波数に共振するエレメントの長さは";
constexpr std::string_view kLengthUnit = "ｍ　です";

constexpr std::string_view kClosingPressReturn =
    "                                        リターンキーを押してください ";

constexpr std::string_view kClosing[] = {
    " ",
    " ",
    " ",
    kClosingPressReturn,
};

struct Answers {
  double frequencyMhz;
  double elementDiameterMm;
};

Answers askQuestions() {
  ConsoleIo::writeLine(kFrequencyQuestion);
  const double frequencyMhz = ConsoleIo::readReal();
  ConsoleIo::writeLine(kDiameterQuestion);
  const double elementDiameterMm = ConsoleIo::readReal();
  return {frequencyMhz, elementDiameterMm};
}

}  // namespace

void run() {
  ConsoleIo::writeLines(kIntroduction);
  const Answers answers = askQuestions();
  const DipoleFormulas::Shortening shortening =
      DipoleFormulas::shortening(answers.frequencyMhz, answers.elementDiameterMm);
  QuestionsAndResults::writeResult(kShorteningText, shortening.shorteningPercent, 6, 2,
                                   kShorteningUnit);
  // Only now: a length too large for a double ends the program after the
  // shortening line, not before it.
  const double elementLengthM = DipoleFormulas::elementLengthM(shortening);
  QuestionsAndResults::writeResult(kLengthText, elementLengthM, 7, 3, kLengthUnit);
  ConsoleIo::writeLines(kClosing);
  ConsoleIo::waitForReturn();
}

}  // namespace DipoleCalculator
