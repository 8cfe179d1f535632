// Menu entry 5: how much shorter than a free-space quarter wave each element
// of a resonant half-wave dipole must be, and the element length that follows.
#include "calculators/dipole/dipole_calculator.hpp"

#include <string_view>

#include "calculators/dialogue.hpp"
#include "calculators/element_impedance.hpp"
#include "console/console_io.hpp"
#include "console/stored.hpp"

namespace DipoleCalculator {
namespace {

double frequencyMhz;
double elementDiameterMm;
double quarterWaveLengthM;
double elementImpedance;
double shorteningFactor;
double shorteningPercent;
double elementLengthM;

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

constexpr std::string_view kClosing[] = {
    " ",
    " ",
    " ",
    "                                        リターンキーを押してください ",
};

void askQuestions() {
  ConsoleIo::writeLine(kFrequencyQuestion);
  frequencyMhz = ConsoleIo::readReal();
  ConsoleIo::writeLine(kDiameterQuestion);
  elementDiameterMm = ConsoleIo::readReal();
}

// The element's own impedance sets the shortening; the impedance is taken for
// the whole half wave, two quarter waves end to end. 3.14 stands for pi.
void computeShortening() {
  quarterWaveLengthM = stored(300.0L / frequencyMhz / 4.0L);
  elementImpedance = stored(Antenna::elementImpedance(quarterWaveLengthM, elementDiameterMm));
  shorteningFactor = stored(42.55L / (elementImpedance * 3.14L));
  shorteningPercent = stored(100.0L * shorteningFactor);
}

void computeElementLength() {
  elementLengthM = stored((1.0L - shorteningFactor) * quarterWaveLengthM);
}

}  // namespace

void run() {
  ConsoleIo::writeLines(kIntroduction);
  askQuestions();
  computeShortening();
  Dialogue::writeResult(kShorteningText, shorteningPercent, 6, 2, kShorteningUnit);
  computeElementLength();
  Dialogue::writeResult(kLengthText, elementLengthM, 7, 3, kLengthUnit);
  ConsoleIo::writeLines(kClosing);
  ConsoleIo::waitForReturn();
}

}  // namespace DipoleCalculator
