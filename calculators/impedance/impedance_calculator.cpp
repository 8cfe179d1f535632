#include "calculators/impedance/impedance_calculator.hpp"

#include <string_view>

#include "arithmetic/extended.hpp"
#include "arithmetic/stored.hpp"
#include "calculators/element_impedance.hpp"
#include "calculators/impedance/impedance_model.hpp"
#include "calculators/questions_and_results.hpp"
#include "console/console_io.hpp"

namespace ImpedanceCalculator {
namespace {

constexpr std::string_view kIntroductionPressReturn =
    "                                                 リターンキーを押してください";

constexpr std::string_view kIntroduction[] = {
    " ",
    "************************アンテナ　インピーダンス 計算***********************",
    " ",
    "tanshuku ver.1.0  (C) 2026",
    " ",
    "このソフトは０．１－０．６３波長でのアンテナ導体のインピーダンスを算出します",
    " ",
    "ホイップが基本です。ダイポールの時は導体長を片側で入力し答えを２倍してください",
    " ",
    "ローディングアンテナでは、虚数項は変化し、計算できません。",
    "                                        （まともなものなら０になります）",
    "　実数項については、コイルでの損失抵抗、放射抵抗を計算結果に加算してください",
    " ",
    "大事な部分での誤差は数パーセント、そうでない部分は約１割です。  ",
    "  ",
    " ",
    kIntroductionPressReturn,
};
constexpr std::string_view kFrequencyQuestion = "   周波数は？ＭＨｚですか？　        ";
constexpr std::string_view kLengthQuestion = "   エレメントの長さは？ｍですか？   ";
constexpr std::string_view kDiameterQuestion = "   エレメントの直径は？ｍｍですか  ";
constexpr std::string_view kImpedanceLead = "アンテナの基本伝送特性インピーダンスは、";
constexpr std::string_view kImpedanceTail = "オームです";
constexpr std::string_view kFeedImpedanceLead = "この導体の、端点（給電点）でのインピーダンスは、";
constexpr std::string_view kUnsupportedRange = "この範囲は計算をサポートしていません。御免なさい";
constexpr std::string_view kImaginaryOpen = "  j( ";
constexpr std::string_view kImaginaryClose = ") オームです";
constexpr std::string_view kClosingPressReturn =
    "                                           リターンキーを押してください";
constexpr std::string_view kClosing[] = {
    " ",
    " ",
    kClosingPressReturn,
};

// The answers that the feed impedance depends on.
struct ElementAnswers {
  double lengthM;
  double electricalLength;  // wavelengths
  double diameterMm;
};

void showIntroduction() {
  ConsoleIo::writeLines(kIntroduction);
  ConsoleIo::waitForReturn();
  ConsoleIo::writeBlankLines(2);
}

// The wavelength is formed as soon as the frequency is known, so a frequency
// of 0 stops the program before the next question.
ElementAnswers askElement() {
  const double frequencyMhz = QuestionsAndResults::ask(kFrequencyQuestion);
  const Extended wavelengthM = stored(300.0L / Extended{frequencyMhz});
  const double lengthM = QuestionsAndResults::ask(kLengthQuestion);
  const double electricalLength = stored(lengthM / wavelengthM);
  const double diameterMm = QuestionsAndResults::ask(kDiameterQuestion);
  return {lengthM, electricalLength, diameterMm};
}

// Returns the element's characteristic impedance, in ohms.
double showElementImpedance(const ElementAnswers& element) {
  ConsoleIo::writeBlankLines(2);
  const double elementImpedance =
      stored(Antenna::elementImpedance(element.lengthM, element.diameterMm));
  QuestionsAndResults::writeResult(kImpedanceLead, elementImpedance, 10, 2, kImpedanceTail);
  return elementImpedance;
}

void apologise() { ConsoleIo::writeLine(kUnsupportedRange); }

// Two separate tests: the apology is written for each bound that is crossed.
void warnOutsideRange(double electricalLength) {
  if (Extended{electricalLength} < 0.1L) apologise();
  if (Extended{electricalLength} > 0.63L) apologise();
}

void showFeedImpedance(ImpedanceModel::FeedImpedance feed) {
  ConsoleIo::writeBlankLines(1);
  ConsoleIo::writeText(kFeedImpedanceLead);
  ConsoleIo::writeFixed(feed.resistance, 10, 2);
  ConsoleIo::writeText(kImaginaryOpen);
  ConsoleIo::writeFixed(feed.reactance, 10, 2);
  ConsoleIo::writeLine(kImaginaryClose);
  ConsoleIo::writeLines(kClosing);
}

}  // namespace

void run() {
  showIntroduction();
  const ElementAnswers element = askElement();
  const double elementImpedance = showElementImpedance(element);
  warnOutsideRange(element.electricalLength);
  const ImpedanceModel::Calculation model =
      ImpedanceModel::calculate({element.electricalLength, elementImpedance}, apologise);
  showFeedImpedance(model.feed);
  ConsoleIo::waitForReturn();
}

}  // namespace ImpedanceCalculator
