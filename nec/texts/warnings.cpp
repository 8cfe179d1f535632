#include "nec/texts/warnings.hpp"

#include <cmath>

#include "nec/search/figures.hpp"
#include "nec/search/segmentation.hpp"
#include "nec/texts/number_text.hpp"

namespace Warnings {
namespace {

using Messages::Language;
using Messages::say;
using NumberText::withDecimals;

std::string segmentsNotSettled(const Results::Figures& f, Language language) {
  const int decimals = NumberText::decimalsFor(f.necInductanceUncertaintyUh.value_or(0.0));
  const std::string range = withDecimals(*f.necInductanceLowUh, decimals) +
                            say(language, " and ", "～") +
                            withDecimals(*f.necInductanceHighUh, decimals);
  std::string turns;
  if (f.turnsLow && f.turnsHigh) {
    turns = say(language, " (", "（") + withDecimals(*f.turnsLow, 1) + say(language, " to ", "～") +
            withDecimals(*f.turnsHigh, 1) + say(language, " turns)", "回巻き）");
  }
  const std::string most = std::to_string(Segmentation::mostSegments());
  return say(language,
             "NEC2 cannot settle the coil to 1 % for this element with the segments it allows (",
             "このエレメントでは、NEC2 が扱える分割（") +
         most +
         say(language,
             " at most, none shorter than twice the wire's radius): the coil lies between ",
             " 以下、セグメントは線の半径の2倍以上）ではコイルを 1 % まで詰められません。コイルは ") +
         range + say(language, " uH", " μH") + turns +
         say(language, "; wind for the middle and trim",
             "の間にあります。中央の値で巻いて調整してください");
}

}  // namespace

std::string_view code(Warning warning) {
  switch (warning) {
    case Warning::selfResonanceLow: return "selfResonanceBelowThreeTimesFrequency";
    case Warning::nearOwnResonance: return "elementNearItsOwnResonance";
    case Warning::extendedKernel: return "segmentsNeedTheExtendedKernel";
    case Warning::shortSegments: return "segmentsBelowTheAdvisedLength";
    case Warning::coilTooLarge: return "noCoilOfTheseMeasuresReachesTheInductance";
    case Warning::helixNotSettled: return "helixTurnsNotSettled";
    case Warning::noTurnsResonate: return "noTurnsOfTheHelixResonate";
    case Warning::segmentsNotSettled: return "segmentsNotSettled";
    case Warning::bandwidthsDisagree: return "bandwidthChecksDisagree";
    case Warning::losslessQBelowChu: return "losslessQBelowChuLimit";
  }
  return {};
}

std::string words(Warning warning, const Results::Figures& f, Language language) {
  switch (warning) {
    case Warning::selfResonanceLow:
      return say(language, "the coil's self-resonance, ", "コイルの自己共振 ") +
             withDecimals(*f.selfResonanceMhz, 2) +
             say(language, " MHz, is below three times the frequency: it is no plain inductance",
                 " MHz が周波数の3倍より低く、単純なインダクタンスとしては扱えません");
    case Warning::nearOwnResonance:
      return say(language,
                 "the element is near its own resonance: the coil is small and every figure "
                 "sensitive",
                 "エレメントがそれ自体の共振に近く、コイルは小さく、どの値も敏感です");
    case Warning::extendedKernel:
      return say(language,
                 "the segments are shorter than 8 wire radii: NEC2 needs its extended "
                 "thin-wire kernel (EK), which the deck turns on",
                 "セグメントが線の半径の8倍より短く、NEC2 の拡張細線カーネル（EK）が必要です"
                 "（デッキでは有効にしてあります）");
    case Warning::shortSegments:
      return say(language,
                 "even the coarsest segments are shorter than 1/1000 wavelength, which NEC2's "
                 "guide advises against: the series of segment counts backs the coil",
                 "最も粗い分割でもセグメントが 1/1000 波長より短く、NEC2 の手引きの勧めを下回り"
                 "ます（分割数を変えた系列で確かめています）");
    case Warning::coilTooLarge:
      return say(language, "no coil of these measures reaches the inductance",
                 "この寸法のコイルではそのインダクタンスに届きません");
    case Warning::helixNotSettled:
      return say(language,
                 "the helix's turns change by 1 % or more at 60 segments a turn: the model is "
                 "not settled",
                 "1巻 60 セグメントではヘリックスの巻数が 1 % 以上変わり、モデルが収束して"
                 "いません");
    case Warning::noTurnsResonate:
      return say(language, "no number of turns of the helix that fits in the element resonates it",
                 "エレメントに収まる巻数のヘリックスでは共振しません");
    case Warning::segmentsNotSettled: return segmentsNotSettled(f, language);
    case Warning::bandwidthsDisagree:
      return say(language, "the bandwidth on the sweep, ", "掃引で求めた帯域幅 ") +
             withDecimals(f.bandwidthMatchedKhz.value_or(NAN), 1) +
             say(language, " kHz, and the slope's, ", " kHz と傾きからの予測 ") +
             withDecimals(f.bandwidthPredictedKhz.value_or(NAN), 1) +
             say(language,
                 " kHz, differ by more than 10 %: the resonance is no simple one; go by the "
                 "sweep",
                 " kHz が 10 % 以上違い、単純な共振ではありません。掃引の値を目安にしてください");
    case Warning::losslessQBelowChu:
      return say(language, "the lossless Q, ", "損失なしの Q（") +
             withDecimals(f.qLossless.value_or(NAN), 1) +
             say(language, ", is below Chu's limit, ", "）が Chu の限界（") +
             withDecimals(f.chuLimitQ.value_or(NAN), 2) +
             say(language, ", which no antenna of this size can beat: the model is suspect",
                 "）を下回っています。この大きさのアンテナではあり得ない値で、モデルが"
                 "疑わしいです");
  }
  return {};
}

}  // namespace Warnings
