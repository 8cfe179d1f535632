// Menu entry 1: the characteristic impedance of a shortened element and the
// inductance of the loading coil that makes it resonate, for a coil at the
// base of the element or part-way along it.
#include "calculators/loading_coil/loading_coil_calculator.hpp"

#include <string_view>

#include "calculators/loading_coil/loading_coil_formulas.hpp"
#include "calculators/prompts.hpp"
#include "calculators/questions_and_results.hpp"
#include "console/console_io.hpp"
#include "contract/program_contract.hpp"

namespace LoadingCoilCalculator {
namespace {

using namespace ProgramContract::LoadingCoil;

constexpr std::string_view kIntroductionPressReturn =
    "                            　　　   　　　     リターンキーを押してください";

// "ﾛ" draws the coil; the full-width and half-width blanks place the drawings.
constexpr std::string_view kIntroduction[] = {
    "  ",
    "   ",
    " このソフトは、短縮アンテナの、ローディングコイルの定数を計算するソフトです",
    "   ",
    "                                                  tanshuku ver.1.0  (C) 2026",
    " ",
    " ",
    "エレメントの直径と長さを入力してください",
    "ホイップ（ＧＰ）で計算されるので、ダイポールのときは長さを半分にしてください",
    " ",
    "センターローディングの時は誤差が非常に大きくなるので、目安程度にしてください",
    "トップローディングの計算は、",
    "　　　　   ・     先端の容量をエレメントに見立てればできないこともありません",
    "  ",
    "ベースローディングダイポールの例",
    "  -----------------------ﾛ TXout ﾛ----------------------- ",
    "  [     アンテナ長       ]      ｺｲﾙ                        ",
    "   ",
    "センターローディングダイポールの例",
    "  --------ﾛ--------------- TXout ---------------ﾛ-------- ",
    "  [ 　　アンテナ長　     ]                     ｺｲﾙ",
    "  [先端長 ]               ",
    " ",
    kIntroductionPressReturn,
};

constexpr std::string_view kTipLengthTitle = "アンテナ先端部の長さは？ｍですか？？？";

// Written without a line end: the closing line continues it.
constexpr std::string_view kTooLong =
    "このソフトは、ローディングアンテナ用です。定数を再確認してください";

constexpr std::string_view kImpedanceText = "アンテナ導体の、基本特性インピーダンスは  ";
constexpr std::string_view kImpedanceUnit = "オームです";
constexpr std::string_view kImpedanceNote[] = {
    "　　　　　［注意：これは給電点インピーダンスとは違うものです！］ ",
    " ",
    " ",
};
constexpr std::string_view kInductanceUnit = " μヘンリーです";

struct Answers {
  double elementDiameterMm;
  double elementLengthM;
  double frequencyMhz;
  unsigned char loadingAnswer;
};

Answers askQuestions() {
  const double elementDiameterMm = QuestionsAndResults::ask(kDiameterQuestion);
  const double elementLengthM = QuestionsAndResults::ask(kLengthQuestion);
  const double frequencyMhz = QuestionsAndResults::ask(kFrequencyQuestion);
  ConsoleIo::writeBlankLines(1);
  ConsoleIo::writeText(kLoadingQuestion);
  const unsigned char loadingAnswer = ConsoleIo::readAnswerChar();
  return {elementDiameterMm, elementLengthM, frequencyMhz, loadingAnswer};
}

bool isCentreLoading(const Answers& answers) {
  return kTipLoadingFirstBytes.find(static_cast<char>(answers.loadingAnswer)) !=
         std::string_view::npos;
}

double askTipLengthM() {
  ConsoleIo::writeBlankLines(1);
  ConsoleIo::writeLine(kTipLengthTitle);
  ConsoleIo::writeText(kTipLengthQuestion);
  const double tipLengthM = ConsoleIo::readReal();
  ConsoleIo::writeBlankLines(1);
  return tipLengthM;
}

void writeResults(double elementImpedance, double coilInductanceUh) {
  ConsoleIo::writeBlankLines(3);
  QuestionsAndResults::writeResult(kImpedanceText, elementImpedance, 6, 2, kImpedanceUnit);
  ConsoleIo::writeLines(kImpedanceNote);
  QuestionsAndResults::writeResult(kInductanceText, coilInductanceUh, 8, 4, kInductanceUnit);
  ConsoleIo::writeBlankLines(1);
}

// The base loading comes before the tip length question: answers that make it
// fault end the program before that question is written.
void computeAndWriteResults(const Answers& answers) {
  const LoadingCoilFormulas::BaseLoading base = LoadingCoilFormulas::baseLoading(
      answers.elementDiameterMm, answers.elementLengthM, answers.frequencyMhz);
  double coilInductanceH = base.coilInductanceH;
  if (isCentreLoading(answers)) {
    const double tipLengthM = askTipLengthM();
    coilInductanceH = LoadingCoilFormulas::centreLoadingInductanceH(
        coilInductanceH, answers.elementLengthM, answers.frequencyMhz, tipLengthM);
  }
  const double coilInductanceUh = LoadingCoilFormulas::coilInductanceUh(coilInductanceH);
  writeResults(base.elementImpedance, coilInductanceUh);
}

}  // namespace

void run() {
  ConsoleIo::writeLines(kIntroduction);
  ConsoleIo::waitForReturn();
  const Answers answers = askQuestions();
  if (LoadingCoilFormulas::elementTooLong(answers.elementLengthM, answers.frequencyMhz)) {
    ConsoleIo::writeText(kTooLong);
  } else {
    computeAndWriteResults(answers);
  }
  ConsoleIo::writeLine(Prompts::kClosingPressReturn);
  ConsoleIo::waitForReturn();
}

}  // namespace LoadingCoilCalculator
