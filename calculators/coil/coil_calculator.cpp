#include "calculators/coil/coil_calculator.hpp"

#include <optional>
#include <string_view>

#include "arithmetic/stored.hpp"
#include "calculators/coil/coil_formulas.hpp"
#include "calculators/questions_and_results.hpp"
#include "console/console_io.hpp"

namespace CoilCalculator {
namespace {

// The coil as typed: radius and length in metres, both measured between the
// centres of the wire, and the relative permeability of its core.
struct CoilShape {
  double radiusM;
  double lengthM;
  double relativePermeability;
};

// The winding of inductance mode: the typed number of turns and the pitch in
// metres, 0 for close-wound.
struct Winding {
  double turns;
  double pitchM;
};

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

constexpr std::string_view kHelpPressReturn =
    "                                        リターンキーを押してください";

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
    kHelpPressReturn,
};

constexpr std::string_view kClosingPressReturn =
    "                                         リターンキーを押してください";

constexpr std::string_view kClosingLines[] = {
    "   ",
    "   ",
    kClosingPressReturn,
};

// A length typed in millimetres and held in metres; a blank line follows it.
double askMetres(std::string_view prompt) {
  ConsoleIo::writeText(prompt);
  const double metres = stored(Extended{ConsoleIo::readReal()} / 1000.0L);
  ConsoleIo::writeBlankLines(1);
  return metres;
}

// The banner and the shape of the coil, or nothing as soon as a radius,
// length or permeability of 0 or less calls for the help screen.
std::optional<CoilShape> askShape() {
  ConsoleIo::writeLines(kBanner);
  const double radiusM = askMetres(kRadiusPrompt);
  if (Extended{radiusM} <= 0.0L) return std::nullopt;
  const double lengthM = askMetres(kLengthPrompt);
  if (Extended{lengthM} <= 0.0L) return std::nullopt;
  ConsoleIo::writeText(kPermeabilityPrompt);
  const double relativePermeability = ConsoleIo::readReal();
  if (Extended{relativePermeability} > 0.0L)
    return CoilShape{radiusM, lengthM, relativePermeability};
  return std::nullopt;
}

void showHelpScreen() {
  ConsoleIo::writeLines(kHelpScreen);
  ConsoleIo::waitForReturn();
}

// The help screen starts the calculator again from its banner; a loop, so
// that any number of visits leaves nothing pending.
CoilShape askShapeAfterAnyHelp() {
  for (;;) {
    if (std::optional<CoilShape> shape = askShape()) return *shape;
    showHelpScreen();
  }
}

// The Nagaoka coefficient of the shape, computed between the blank lines
// before its line; returns it for the formulas that follow.
double showNagaokaCoefficient(const CoilShape& shape) {
  ConsoleIo::writeBlankLines(1);
  const double coefficient = stored(CoilFormulas::nagaokaCoefficient(shape.radiusM, shape.lengthM));
  ConsoleIo::writeBlankLines(1);
  QuestionsAndResults::writeResult("長岡係数は ", coefficient, 6, 3, "です");
  ConsoleIo::writeBlankLines(1);
  return coefficient;
}

// The wanted inductance, typed in microhenries and held in henries; 0 or less
// asks for the inductance of a given number of turns instead.
double askWantedInductanceH() {
  ConsoleIo::writeLine(kWantedInductanceQuestion);
  ConsoleIo::writeText(kWantedInductancePrompt);
  const double wantedInductanceH = stored(Extended{ConsoleIo::readReal()} / 1000000.0L);
  ConsoleIo::writeBlankLines(1);
  return wantedInductanceH;
}

// Turns mode: the turns that the shape needs for the wanted inductance.
void showTurnsNeeded(const CoilShape& shape, double nagaokaCoefficient, double wantedInductanceH) {
  const double turns =
      stored(CoilFormulas::turnsForInductance(wantedInductanceH, shape.radiusM, shape.lengthM,
                                              nagaokaCoefficient, shape.relativePermeability));
  QuestionsAndResults::writeResult("この形では", turns, 8, 2, "巻　必要です");
}

// A spaced winding: asks the wire diameter and corrects the current-sheet
// inductance for round wire.
double roundWireInductanceH(const CoilShape& shape, double nagaokaCoefficient,
                            const Winding& winding, double currentSheetInductanceH) {
  ConsoleIo::writeLine(kWireDiameterQuestion);
  const double wireDiameterM = stored(Extended{ConsoleIo::readReal()} / 1000.0L);
  const double correctionA = stored(CoilFormulas::wireCorrectionA(wireDiameterM, winding.pitchM));
  const double correctionB = stored(CoilFormulas::wireCorrectionB(winding.turns));
  return stored(CoilFormulas::wireCorrectedInductance(currentSheetInductanceH, correctionA,
                                                      correctionB, shape.radiusM, shape.lengthM,
                                                      winding.turns, nagaokaCoefficient));
}

// Inductance mode: the inductance of the coil with the typed number of turns.
void showInductance(const CoilShape& shape, double nagaokaCoefficient) {
  ConsoleIo::writeText(kTurnsPrompt);
  const double turns = ConsoleIo::readReal();
  ConsoleIo::writeBlankLines(1);
  const double currentSheetInductanceH = stored(CoilFormulas::currentSheetInductance(
      shape.radiusM, shape.lengthM, turns, nagaokaCoefficient, shape.relativePermeability));
  ConsoleIo::writeLine(kPitchQuestion);
  const double pitchM = stored(Extended{ConsoleIo::readReal()} / 1000.0L);
  const Winding winding{turns, pitchM};
  double inductanceH = currentSheetInductanceH;
  if (Extended{winding.pitchM} != 0.0L) {  // 0 is close-wound
    inductanceH = roundWireInductanceH(shape, nagaokaCoefficient, winding, currentSheetInductanceH);
  }
  const double inductanceUh = stored(Extended{inductanceH} * 1000.0L * 1000.0L);
  QuestionsAndResults::writeResult("そのコイルは", inductanceUh, 10, 4, "uH です");
}

}  // namespace

void run() {
  const CoilShape shape = askShapeAfterAnyHelp();
  const double nagaokaCoefficient = showNagaokaCoefficient(shape);
  const double wantedInductanceH = askWantedInductanceH();
  if (Extended{wantedInductanceH} > 0.0L) {
    showTurnsNeeded(shape, nagaokaCoefficient, wantedInductanceH);
  } else {
    showInductance(shape, nagaokaCoefficient);
  }
  ConsoleIo::writeLines(kClosingLines);
  ConsoleIo::waitForReturn();
}

}  // namespace CoilCalculator
