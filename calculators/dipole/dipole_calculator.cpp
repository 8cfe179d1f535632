// Menu entry 5: how much shorter than a free-space quarter wave each element
// of a resonant half-wave dipole must be, and the element length that follows.
#include "calculators/dipole/dipole_calculator.hpp"

#include <string_view>

#include "arithmetic/stored.hpp"
#include "calculators/element_impedance.hpp"
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

struct Shortening {
  double quarterWaveLengthM;
  double factor;
  double percent;
};

Answers askQuestions() {
  ConsoleIo::writeLine(kFrequencyQuestion);
  const double frequencyMhz = ConsoleIo::readReal();
  ConsoleIo::writeLine(kDiameterQuestion);
  const double elementDiameterMm = ConsoleIo::readReal();
  return {frequencyMhz, elementDiameterMm};
}

// The element's own impedance sets the shortening; the impedance is taken for
// the whole half wave, two quarter waves end to end. 3.14 stands for pi.
Shortening computeShortening(const Answers& answers) {
  const double quarterWaveLengthM = stored(300.0L / Extended{answers.frequencyMhz} / 4.0L);
  const double elementImpedance =
      stored(Antenna::elementImpedance(quarterWaveLengthM, answers.elementDiameterMm));
  const double factor = stored(42.55L / (Extended{elementImpedance} * 3.14L));
  const double percent = stored(100.0L * Extended{factor});
  return {quarterWaveLengthM, factor, percent};
}

double elementLengthM(const Shortening& shortening) {
  return stored((1.0L - Extended{shortening.factor}) * shortening.quarterWaveLengthM);
}

}  // namespace

void run() {
  ConsoleIo::writeLines(kIntroduction);
  const Answers answers = askQuestions();
  const Shortening shortening = computeShortening(answers);
  QuestionsAndResults::writeResult(kShorteningText, shortening.percent, 6, 2, kShorteningUnit);
  // Only now: a length too large for a double ends the program after the
  // shortening line, not before it.
  const double lengthM = elementLengthM(shortening);
  QuestionsAndResults::writeResult(kLengthText, lengthM, 7, 3, kLengthUnit);
  ConsoleIo::writeLines(kClosing);
  ConsoleIo::waitForReturn();
}

}  // namespace DipoleCalculator
