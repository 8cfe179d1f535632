#include "nec/design_report.hpp"

#include "arithmetic/stored.hpp"
#include "calculators/loading_coil/loading_coil_formulas.hpp"
#include "nec/bandwidth.hpp"
#include "nec/coil_as_wound.hpp"
#include "nec/menu_four_efficiency.hpp"
#include "nec/menu_one_coil.hpp"
#include "nec/number_text.hpp"
#include "nec/segmentation.hpp"
#include "nec/solver_figures.hpp"

namespace DesignReport {
namespace {

using Messages::Language;
using NumberText::shortest;
using NumberText::withDecimals;

std::string say(Language language, std::string_view english, std::string_view japanese) {
  return std::string(Messages::pick(language, english, japanese));
}

void addCoilFor(const DesignOptions::Options& o, double inductanceUh, Results::Figures& f) {
  const CoilAsWound::Measures measures{*o.coilRadiusMm, *o.pitchMm, *o.wireMm};
  f.turnsForInductanceUh = inductanceUh;
  const std::optional<CoilAsWound::Coil> coil =
      CoilAsWound::coilFor(inductanceUh, measures, *o.frequencyMhz);
  if (!coil) {
    f.warnings.push_back(kCoilTooLarge);
    return;
  }
  f.turns = coil->turns;
  f.coilLengthMm = coil->lengthMm;
  f.selfResonanceMhz = coil->selfResonanceMhz;
  f.turnsInductanceUh = coil->inductanceUh;
  if (coil->selfResonanceTooLow) f.warnings.push_back(kSelfResonanceLow);
}

void addSegmentation(const DesignOptions::Options& o, Results::Figures& f) {
  const int segments = Segmentation::coarsestSegments(*o.lengthM, *o.frequencyMhz);
  const Segmentation::Fit fit =
      Segmentation::fitOf(segments, *o.lengthM, *o.diameterMm, *o.frequencyMhz);
  if (fit.needsExtendedKernel) f.warnings.push_back(kExtendedKernel);
  if (fit.belowAdvisedLength) f.warnings.push_back(kShortSegments);
}

std::string loadingText(const DesignOptions::Options& o, Language language) {
  if (!o.tipM) return (say(language, "the coil at the feed", "コイルは給電点"));
  return say(language, "the coil ", "コイルは先端から ") + shortest(*o.tipM) +
         say(language, " m below the tip", " m");
}

std::string designLine(const DesignOptions::Options& o, Language language) {
  const std::string element = shortest(*o.lengthM) + " m, " + shortest(*o.diameterMm) + " mm, " +
                              shortest(*o.frequencyMhz) + " MHz, " + loadingText(o, language);
  const std::string model =
      o.dipole ? say(language, "one half of a centre-fed dipole", "センター給電ダイポールの片側")
               : say(language, "a whip over perfect ground", "完全導体大地上のホイップ");
  return say(language, "Design: ", "設計: ") + element + " (" + model + ")\n";
}

std::string warningText(const std::string& code, const Results::Figures& f, Language language) {
  if (code == kSelfResonanceLow) {
    return say(language, "the coil's self-resonance, ", "コイルの自己共振 ") +
           withDecimals(*f.selfResonanceMhz, 2) +
           say(language, " MHz, is below three times the frequency: it is no plain inductance",
               " MHz が周波数の3倍より低く、単純なインダクタンスとしては扱えません");
  }
  if (code == kNearOwnResonance) {
    return (say(language,
                "the element is near its own resonance: the coil is small and every "
                "figure sensitive",
                "エレメントがそれ自体の共振に近く、コイルは小さく、どの値も敏感です"));
  }
  if (code == kExtendedKernel) {
    return (say(language,
                "the segments are short against the wire's radius: NEC2 needs its "
                "extended thin-wire kernel",
                "セグメントが線の半径に比べて短く、NEC2 の拡張細線カーネルが必要です"));
  }
  if (code == kShortSegments) {
    return (say(language,
                "segments shorter than 1/1000 wavelength: the model is near "
                "its numerical limit",
                "セグメントが 1/1000 波長より短く、数値的な限界に近いモデルです"));
  }
  if (code == kHelixNotSettled) {
    return say(language,
               "the helix's turns change by 1 % or more at 60 segments a turn: the model is "
               "not settled",
               "1巻 60 セグメントではヘリックスの巻数が 1 % 以上変わり、モデルが収束していません");
  }
  if (code == kNoTurnsResonate) {
    return say(language, "no number of turns of the helix that fits in the element resonates it",
               "エレメントに収まる巻数のヘリックスでは共振しません");
  }
  return (say(language, "no coil of these measures reaches the inductance",
              "この寸法のコイルではそのインダクタンスに届きません"));
}

std::string coilLines(const Results::Figures& f, Language language) {
  if (!f.turnsForInductanceUh) return {};
  std::string lines = say(language, "Coil for ", "") +
                      MenuOneCoil::screenText(*f.turnsForInductanceUh) +
                      say(language, " uH", " μH のコイル");
  if (!f.necInductanceUh) lines += say(language, " (menu 1's)", "（メニュー1の値）");
  if (!f.turns) return lines + ": " + warningText(kCoilTooLarge, f, language) + "\n";
  lines += say(language, ": ", ": ") + withDecimals(*f.turns, 1) +
           say(language, " turns, ", " 巻、長さ ") + withDecimals(*f.coilLengthMm, 1) +
           say(language, " mm long", " mm") + "\n";
  lines += say(language, "  self-resonance (Medhurst): ", "  自己共振（Medhurst）: ") +
           withDecimals(*f.selfResonanceMhz, 2) + " MHz\n";
  return lines;
}

// What the solver's figures say, where it has run.
std::string solverLines(const Results::Figures& f, Language language) {
  std::string out = say(language, "NEC2's coil:     ", "NEC2 のコイル:     ") +
                    withDecimals(*f.necInductanceUh, 2) + " ± " +
                    withDecimals(f.necInductanceUncertaintyUh.value_or(0.0), 2) +
                    say(language, " uH (menu 1's is ", " μH（メニュー1の値は ") +
                    withDecimals(*f.differencePercent, 1) +
                    say(language, " % larger)\n", " % 大きい）\n");
  if (f.menu1CoilResonanceMhz) {
    out += say(language, "Menu 1's coil resonates at ", "メニュー1のコイルでの共振周波数: ") +
           withDecimals(*f.menu1CoilResonanceMhz, 3) + " MHz\n";
  }
  out += say(language, "At resonance:    ", "共振時:            ") +
         withDecimals(*f.feedResistanceLosslessOhm, 2) +
         say(language, " ohm without losses, ", " Ω（損失なし）、") +
         withDecimals(*f.feedResistanceOhm, 2) +
         say(language, " ohm with them, SWR ", " Ω（損失あり）、SWR ") +
         withDecimals(*f.swr50AtResonance, 2) + say(language, " on 50 ohm\n", "（50 Ω）\n");
  out += say(language, "Efficiency:      ", "効率:              ") +
         withDecimals(*f.efficiencyPercent, 1) + " % (" + withDecimals(*f.efficiencyDb, 2) +
         " dB)\n";
  if (f.radiationResistanceRatioDb) {
    out += say(language, "NEC2's radiation resistance against a full-size quarter wave's: ",
               "NEC2 の放射抵抗のフルサイズ 1/4 波長に対する比: ") +
           withDecimals(*f.radiationResistanceRatioDb, 2) + " dB\n";
  }
  if (f.bandwidthMatchedKhz) {
    out += say(language, "Bandwidth (SWR 2), matched: ", "帯域幅（SWR 2）、整合時: ") +
           withDecimals(*f.bandwidthMatchedKhz, 1) +
           say(language, " kHz (the slope predicts ", " kHz（傾きからの予測 ") +
           withDecimals(f.bandwidthPredictedKhz.value_or(NAN), 1) +
           say(language, " kHz)\n", " kHz）\n");
  }
  out += say(language, "Bandwidth (SWR 2) on 50 ohm: ", "帯域幅（SWR 2）、50 Ω: ") +
         (f.bandwidth50OhmKhz
              ? withDecimals(*f.bandwidth50OhmKhz, 1) + " kHz\n"
              : say(language, "the SWR never falls to 2\n", "SWR が 2 まで下がりません\n"));
  if (f.q && f.qLossless) {
    out += say(language, "Q from the slope: ", "傾きからの Q: ") + withDecimals(*f.q, 1) +
           say(language, " with losses, ", "（損失あり）、") + withDecimals(*f.qLossless, 1) +
           say(language, " without\n", "（損失なし）\n");
  }
  if (f.segments && f.nec2cRuns) {
    out += say(language, "Segments: ", "セグメント数: ") + std::to_string(*f.segments) +
           say(language, ", nec2c runs: ", "、nec2c の実行回数: ") + std::to_string(*f.nec2cRuns) +
           "\n";
  }
  return out;
}

// The coil as wound, where the solver modelled it as a helix.
std::string helixLines(const DesignOptions::Options& o, const Results::Figures& f,
                       Language language) {
  if (!f.helixTurns) return {};
  const std::string perTurn = std::to_string(*f.helixSegmentsPerTurn);
  std::string lines =
      say(language, "Helix (NEC2, ", "ヘリックス（NEC2、1巻 ") + perTurn +
      say(language, " segments a turn): ", " セグメント）: ") + withDecimals(*f.helixTurns, 1) +
      say(language, " turns resonate (menu 2: ", " 巻で共振（メニュー2では ") +
      MenuOneCoil::screenText(*f.helixTurnsInductanceUh) +
      say(language, " uH; at 60 a turn ", " μH、1巻 60 セグメントでは ") +
      withDecimals(f.helixTurnsFinerSegments.value_or(NAN), 2) + say(language, ")\n", " 巻）\n");
  if (f.turns) {
    lines += say(language, "  menu 2's ", "  NEC2 の集中定数コイルに対するメニュー2の ") +
             withDecimals(*f.turns, 1) + say(language, " turns (", " 巻（") +
             MenuOneCoil::screenText(*f.turnsInductanceUh) +
             say(language, " uH, for NEC2's lumped coil) act as ", " μH）は、この周波数で ") +
             withDecimals(*f.helixEquivalentUh, 2) +
             (f.helixResonanceMhzWithFormulaTurns
                  ? say(language, " uH here and resonate at ", " μH 相当で、共振は ") +
                        withDecimals(*f.helixResonanceMhzWithFormulaTurns, 3) + " MHz\n"
                  : say(language, " uH here and do not resonate within half the frequency\n",
                        " μH 相当で、周波数の前後半分以内では共振しません\n"));
  }
  lines += say(language, "  the helix's Q: ", "  ヘリックスの Q: ") +
           (f.helixQ ? withDecimals(*f.helixQ, 0) : say(language, "no loss", "損失なし")) +
           say(language, " (its wire's skin effect only: a real coil's is lower)\n",
               "（線の表皮効果のみ。実際のコイルの Q はこれより低い）\n");
  lines +=
      say(language, "  efficiency: ", "  効率: ") + say(language, "", "ヘリックスの損失で ") +
      withDecimals(*f.helixEfficiencyPercent, 1) +
      say(language, " % with the helix's loss, ", " %、Q ") +
      (language == Language::english
           ? withDecimals(f.efficiencyPercent.value_or(NAN), 1) + " % with Q " + shortest(o.q)
           : shortest(o.q) + " で " + withDecimals(f.efficiencyPercent.value_or(NAN), 1) + " %") +
      "\n";
  return lines;
}

}  // namespace

Results::Figures designFigures(const DesignOptions::Options& o) {
  Results::Figures f;
  const double lengthM = *o.lengthM;
  const double frequencyMhz = *o.frequencyMhz;
  f.menu1InductanceUh = MenuOneCoil::inductanceUh(*o.diameterMm, lengthM, frequencyMhz, o.tipM);
  f.menu4EfficiencyDb = MenuFourEfficiency::efficiencyDb(lengthM, frequencyMhz, o.tipM);
  f.chuLimitQ = Bandwidth::chuLimitQ(frequencyMhz, lengthM);
  const double quarterWaveM = stored(LoadingCoilFormulas::quarterWaveLengthM(frequencyMhz));
  if (lengthM > kNearResonanceShare * quarterWaveM) f.warnings.push_back(kNearOwnResonance);
  addSegmentation(o, f);
  return f;
}

void addCoilAsWound(const DesignOptions::Options& o, Results::Figures& f) {
  if (!o.coilRadiusMm) return;
  addCoilFor(o, f.necInductanceUh ? *f.necInductanceUh : *f.menu1InductanceUh, f);
}

std::string text(const DesignOptions::Options& o, const Results::Figures& f, Language language) {
  std::string out = designLine(o, language);
  out += say(language, "Menu 1's coil:   ", "メニュー1のコイル: ") +
         MenuOneCoil::screenText(*f.menu1InductanceUh) + say(language, " uH\n", " μH\n");
  if (f.necInductanceUh) {
    out += solverLines(f, language);
  } else {
    out += say(language,
               "NEC2's coil:     none needed: the element resonates at or below the frequency "
               "without one (it is at or beyond its own resonance)\n",
               "NEC2 のコイル:     不要です。コイルなしでこの周波数かそれより低い周波数に共振します"
               "（エレメント自体の共振点かそれより長い）\n");
  }
  out +=
      say(language, "Menu 4's figure: ", "メニュー4の値:     ") +
      MenuFourEfficiency::screenText(*f.menu4EfficiencyDb) +
      say(language,
          " dB (no losses: the radiation resistance against a full-size quarter wave's, not "
          "the efficiency)\n",
          " dB（損失を含まない、フルサイズ 1/4 波長に対する放射抵抗の比で、効率ではありません）\n");
  out += say(language, "Chu's limit:     Q = ", "Chu の限界:        Q = ") +
         withDecimals(*f.chuLimitQ, 2) + "\n";
  out += coilLines(f, language);
  out += helixLines(o, f, language);
  for (const std::string& code : f.warnings) {
    out += say(language, "Warning: ", "注意: ") + warningText(code, f, language) + "\n";
  }
  return out;
}

}  // namespace DesignReport
