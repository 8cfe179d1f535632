#include "calculators/coil/coil_calculator.hpp"

#include <string_view>

#include "calculators/coil/coil_formulas.hpp"
#include "calculators/dialogue.hpp"
#include "console/console_io.hpp"
#include "console/stored.hpp"

namespace CoilCalculator {
namespace {

double coilRadiusM;
double coilLengthM;
double relativePermeability;
double nagaokaCoefficient;
double wantedInductanceH;
double turns;
double inductance;
double windingPitchM;
double wireDiameterM;
double wireCorrectionA;
double wireCorrectionB;

constexpr std::string_view kBanner[] = {
    " ",  "***********************  コイルのインダクタンスの計算です　*********************",
    " ",  "                                               tanshuku ver.1.0  (C) 2026",
    "  ", "  ",
    "  ",
};

constexpr std::string_view kRadiusPrompt =
    "コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     ";
constexpr std::string_view kLengthPrompt = "コイルの長さはどれだけですか？(mm)              ";
constexpr std::string_view kPermeabilityPrompt = "比　透磁率はいくつですか？　空芯なら１です      ";
constexpr std::string_view kWantedInductanceQuestion =
    "希望するインダクタンスを入力してください (uH)";
constexpr std::string_view kWantedInductancePrompt =
    "                     　巻数から計算するなら　０　を　入力してください   ";
constexpr std::string_view kTurnsPrompt = "そのコイルは　何巻ありますか？     ";
constexpr std::string_view kPitchQuestion =
    "巻線のピッチ（ｍｍ）を入力してください。密巻なら０です";
constexpr std::string_view kWireDiameterQuestion = "巻線の直径（ｍｍ）を入力してください";

constexpr std::string_view kHelpScreen[] = {
    " ",
    "このソフトは　コイルの定数を計算する　or コイルの巻数を決めるものです",
    " ",
    "寸法はすべて mm です",
    "コイルの長さ、コイルの半径は共に線材の中心から中心の間です  ",
    "コイルのピッチは、やはり、線材の中心間です  ",
    "ピッチ＞＝線材の直径としてください。そうでないと製作できません。 ",
    "線材が決まっていないときは密巻としてください。少し大きめの結果になります",
    " ",
    "比　透磁率は　空芯（空気）なら１です",
    "          スーパーマロイは １０００００,パーマロイは ２００００ です",
    "          珪素鋼は　５００　です",
    "          Ｍｎ－Ｚｎ　フェライトは　４００－８０００　です",
    "          Ｎｉ－Ｚｎ　フェライトは　１０－８００　です",
    "          カーボニル鉄ダストは　３－８０　です",
    "          センダストは　３－２０　です",
    " ",
    "多層巻きはサポートしていません。",
    " ",
    "それぞれのコイルが作る磁束が、すべてのコイルを通るので、理論的には ",
    "たとえば２層巻きではインダクタンスは４倍になるのですが、 ",
    "実際は相互インダクタンス分だけマイナスが生じ、、簡単には算出できないのです。 ",
    "専門の電磁界シミュレーションソフトをご利用ください。 ",
    " ",
    "                                        リターンキーを押してください",
};

constexpr std::string_view kClosingLines[] = {
    "   ",
    "   ",
    "                                         リターンキーを押してください",
};

// The banner and the shape of the coil. Returns false as soon as a radius,
// length or permeability of 0 or less calls for the help screen.
bool askShape() {
  ConsoleIo::writeLines(kBanner);
  ConsoleIo::writeText(kRadiusPrompt);
  coilRadiusM = stored(ConsoleIo::readReal() / 1000.0L);
  ConsoleIo::writeLine(" ");
  if (coilRadiusM <= 0.0L) return false;
  ConsoleIo::writeText(kLengthPrompt);
  coilLengthM = stored(ConsoleIo::readReal() / 1000.0L);
  ConsoleIo::writeLine(" ");
  if (coilLengthM <= 0.0L) return false;
  ConsoleIo::writeText(kPermeabilityPrompt);
  relativePermeability = ConsoleIo::readReal();
  return relativePermeability > 0.0L;
}

void showHelpScreen() {
  ConsoleIo::writeLines(kHelpScreen);
  ConsoleIo::waitForReturn();
}

// The Nagaoka coefficient of the shape, stored and shown between blank lines.
void showNagaokaCoefficient() {
  ConsoleIo::writeLine(" ");
  nagaokaCoefficient = stored(CoilFormulas::nagaokaCoefficient(coilRadiusM, coilLengthM));
  ConsoleIo::writeLine(" ");
  Dialogue::writeResult("長岡係数は ", nagaokaCoefficient, 6, 3, "です");
  ConsoleIo::writeLine(" ");
}

// The wanted inductance, typed in microhenries and held in henries; 0 or less
// asks for the inductance of a given number of turns instead.
void askWantedInductance() {
  ConsoleIo::writeLine(kWantedInductanceQuestion);
  ConsoleIo::writeText(kWantedInductancePrompt);
  wantedInductanceH = stored(ConsoleIo::readReal() / 1000000.0L);
  ConsoleIo::writeLine(" ");
}

// Turns mode: the turns that the shape needs for the wanted inductance.
void showTurnsNeeded() {
  turns = stored(CoilFormulas::turnsForInductance(wantedInductanceH, coilRadiusM, coilLengthM,
                                                  nagaokaCoefficient, relativePermeability));
  Dialogue::writeResult("この形では", turns, 8, 2, "巻　必要です");
}

// A spaced winding (non-zero pitch): asks the wire diameter and corrects the
// current-sheet inductance for round wire.
void correctForRoundWire() {
  ConsoleIo::writeLine(kWireDiameterQuestion);
  wireDiameterM = stored(ConsoleIo::readReal() / 1000.0L);
  wireCorrectionA = stored(CoilFormulas::wireCorrectionA(wireDiameterM, windingPitchM));
  wireCorrectionB = stored(CoilFormulas::wireCorrectionB(turns));
  inductance = stored(
      CoilFormulas::wireCorrectedInductance(inductance, wireCorrectionA, wireCorrectionB,
                                            coilRadiusM, coilLengthM, turns, nagaokaCoefficient));
}

// Inductance mode: the inductance of the coil with the typed number of turns.
void showInductance() {
  ConsoleIo::writeText(kTurnsPrompt);
  turns = ConsoleIo::readReal();
  ConsoleIo::writeLine(" ");
  inductance = stored(CoilFormulas::currentSheetInductance(
      coilRadiusM, coilLengthM, turns, nagaokaCoefficient, relativePermeability));
  ConsoleIo::writeLine(kPitchQuestion);
  windingPitchM = stored(ConsoleIo::readReal() / 1000.0L);
  if (windingPitchM != 0.0L) correctForRoundWire();  // 0 is close-wound
  inductance = stored(inductance * 1000.0L * 1000.0L);
  Dialogue::writeResult("そのコイルは", inductance, 10, 4, "uH です");
}

}  // namespace

void run() {
  // The help screen starts the calculator again from its banner; a loop, so
  // that any number of visits leaves nothing pending.
  while (!askShape()) showHelpScreen();
  showNagaokaCoefficient();
  askWantedInductance();
  if (wantedInductanceH > 0.0L) {
    showTurnsNeeded();
  } else {
    showInductance();
  }
  ConsoleIo::writeLines(kClosingLines);
  ConsoleIo::waitForReturn();
}

}  // namespace CoilCalculator
