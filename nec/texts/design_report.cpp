#include "nec/texts/design_report.hpp"

#include <cmath>

#include "nec/design/menu_four_efficiency.hpp"
#include "nec/design/menu_one_coil.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/design_figures.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/texts/number_text.hpp"
#include "nec/texts/warnings.hpp"

namespace DesignReport {
namespace {

using Messages::Language;
using Messages::say;
using NumberText::shortest;
using NumberText::withDecimals;
using Warnings::Warning;

std::string uh(Language language) { return say(language, " uH", " μH"); }

std::string conductorText(const Checked::Design& d, Language language) {
  switch (d.conductor) {
    case Nec2::Conductor::copper: return say(language, "copper", "銅線");
    case Nec2::Conductor::aluminium: return say(language, "aluminium", "アルミ線");
    case Nec2::Conductor::perfect: return say(language, "lossless wire", "損失なしの導線");
  }
  return {};
}

std::string loadingText(const Checked::Design& d, Language language) {
  if (!d.loading.tipM()) return say(language, "the coil at the feed", "コイルは給電点");
  return say(language, "the coil ", "コイルは先端から ") + shortest(*d.loading.tipM()) +
         say(language, " m below the tip", " m");
}

std::string groundLossText(const Checked::Design& d, Language language) {
  if (d.dipole || !(d.groundLossOhm > 0.0)) return {};
  return say(language, ", with ", "、接地損失 ") + shortest(d.groundLossOhm) +
         say(language, " ohm of ground loss", " Ω");
}

// Where the model stands: over perfect ground, with any ground loss, or a
// dipole in free space.
std::string groundText(const Checked::Design& d, Language language) {
  if (d.dipole) return say(language, "in free space", "自由空間");
  return say(language, "over perfect ground", "完全導体大地上") + groundLossText(d, language);
}

std::string designLine(const Checked::Design& d, Language language) {
  const std::string model =
      d.dipole ? say(language, "one half of a centre-fed dipole in free space",
                     "自由空間のセンター給電ダイポールの片側")
               : say(language, "a whip over perfect ground", "完全導体大地上のホイップ") +
                     groundLossText(d, language);
  const std::string length = shortest(d.lengthM) + " m";
  const std::string wire = shortest(d.diameterMm) + " mm";
  const std::string frequency = shortest(d.frequencyMhz) + " MHz";
  const std::string element =
      language == Language::english
          ? length + " of " + wire + " " + conductorText(d, language) + " at " + frequency
          : length + "、" + wire + " の" + conductorText(d, language) + "、" + frequency;
  return say(language, "Design: ", "設計: ") + element + say(language, ", ", "、") +
         loadingText(d, language) + say(language, ", coil Q ", "、コイルの Q ") + shortest(d.q) +
         say(language, " (", "（") + model + say(language, ")\n", "）\n");
}

// NEC2's coil as a figure whose digits follow its range: "21.13 ± 0.08"
// where the series was extrapolated, else "between 17.9 and 19.8".
std::string necCoilText(const Results::Figures& f, Language language) {
  const double halfWidth = f.necInductanceUncertaintyUh.value_or(0.0);
  const int decimals = NumberText::decimalsFor(halfWidth);
  if (f.necInductanceExtrapolated) {
    return withDecimals(*f.necInductanceUh, decimals) + " ± " + withDecimals(halfWidth, decimals) +
           uh(language);
  }
  return say(language, "between ", "") + withDecimals(*f.necInductanceLowUh, decimals) +
         say(language, " and ", "～") + withDecimals(*f.necInductanceHighUh, decimals) +
         uh(language);
}

std::string measuresText(const Checked::Design& d, Language language) {
  return say(language, " (radius ", "（半径 ") + shortest(d.winding->radiusMm) +
         say(language, " mm to the wire's centre, pitch ", " mm（線の中心まで）、ピッチ ") +
         shortest(d.winding->pitchMm) + say(language, " mm, ", " mm、線径 ") +
         shortest(d.winding->wireMm) + say(language, " mm wire)", " mm）");
}

std::string turnsText(double turns, Language language) {
  return withDecimals(turns, 1) + say(language, " turns", "回巻き");
}

std::string lengthText(double lengthMm, Language language) {
  return say(language, ", ", "、長さ ") + withDecimals(lengthMm, 1) +
         say(language, " mm long", " mm");
}

// The inductance to wind, with NEC2's range where it has one.
std::string inductanceToWind(const Results::Figures& f, Language language) {
  if (f.necInductanceExtrapolated) return necCoilText(f, language);
  const int decimals = NumberText::decimalsFor(f.necInductanceUncertaintyUh.value_or(0.0));
  return withDecimals(DesignFigures::coilToWindUh(f), decimals) + uh(language) +
         say(language, " (the middle of NEC2's range, ", "（NEC2 の範囲 ") +
         necCoilText(f, language) + say(language, ")", " の中央）");
}

std::string coilHeading(const Checked::Design& d, Language language) {
  return d.dipole ? say(language, "Coils to wind: two, one a side, each ",
                        "巻くコイル: 左右に1個ずつ計2個、各 ")
                  : say(language, "Coil to wind: ", "巻くコイル: ");
}

std::string selfResonanceLine(const Results::Figures& f, Language language) {
  return say(language, "  self-resonance (Medhurst): ", "  自己共振（Medhurst）: ") +
         withDecimals(*f.selfResonanceMhz, 2) + " MHz\n";
}

// The coil as the helix check wound it: the turns that resonate, and what
// menu 2's turns for the lumped coil would do.
std::string helixCoilLines(const Checked::Design& d, const Results::Figures& f, Language language) {
  const double lengthMm = *f.helixTurns * d.winding->pitchMm;
  std::string lines = coilHeading(d, language) + turnsText(*f.helixTurns, language) +
                      lengthText(lengthMm, language) + measuresText(d, language) + "\n";
  lines += say(language, "  the turns that resonate, NEC2 modelling the coil as wound (",
               "  NEC2 で巻いたコイルをそのままモデル化して共振する巻数（1巻 ") +
           std::to_string(*f.helixSegmentsPerTurn) +
           say(language, " segments a turn; ", " セグメント。60 セグメントでは ") +
           withDecimals(f.helixTurnsFinerSegments.value_or(NAN), 2) +
           say(language, " at 60)\n", "回）\n");
  lines +=
      say(language, "  menu 2's inductance for them: ", "  この巻数のメニュー2のインダクタンス: ") +
      MenuOneCoil::screenText(*f.helixTurnsInductanceUh) + uh(language) +
      say(language, "; NEC2's lumped coil: ", "。NEC2 の集中定数コイル: ") +
      necCoilText(f, language) + "\n";
  if (f.turns) {
    lines +=
        say(language,
            "  menu 2's turns for the lumped coil: ", "  集中定数コイルに対するメニュー2の巻数: ") +
        turnsText(*f.turns, language) + lengthText(*f.coilLengthMm, language) +
        say(language, ", acting as ", "、実効 ") + withDecimals(*f.helixEquivalentUh, 2) +
        uh(language) + "\n";
    lines += say(language, "  they resonate at ", "  その巻数での共振周波数: ") +
             (f.helixResonanceMhzWithFormulaTurns
                  ? withDecimals(*f.helixResonanceMhzWithFormulaTurns, 3) + " MHz\n"
                  : say(language, "no frequency within half the design's either way\n",
                        "設計周波数の前後半分以内にはありません\n"));
  }
  lines += say(language, "  the helix's Q: ", "  ヘリックスの Q: ") +
           (f.helixQ ? withDecimals(*f.helixQ, 0) : say(language, "no loss", "損失なし")) +
           say(language, " (its wire's skin effect only: a real coil's is lower)\n",
               "（線の表皮効果のみ。実際のコイルの Q はこれより低い）\n");
  return lines;
}

// Why the helix check, which finds the turns as wound, did not run.
std::string helixNotRunText(const Results::Figures& f, Language language) {
  const std::string segments = std::to_string(f.helixSegmentsNeeded.value_or(0));
  switch (*f.helixNotRun) {
    case Results::HelixNotRun::lumpedAsked:
      return say(language, "  the helix check, which finds them, was left out (--lumped)\n",
                 "  それを求めるヘリックスでの確認は省きました（--lumped）\n");
    case Results::HelixNotRun::modelDoesNotHold:
      return say(language,
                 "  NEC2's helix does not hold for these measures (turns four wire radii apart "
                 "at least, segments long enough), so it was not run\n",
                 "  この寸法では NEC2 のヘリックスモデルが成り立たないため（巻線の間隔は線の"
                 "半径の4倍以上、セグメントは十分な長さが必要）、確認していません\n");
    case Results::HelixNotRun::tooLarge: {
      const int finer = HelixLimits::segmentsFor(
          static_cast<double>(*f.helixSegmentsNeeded) / HelixLimits::kSegmentsPerTurn,
          HelixLimits::kFinerSegmentsPerTurn);
      const std::string gigabytes = withDecimals(HelixLimits::matrixGigabytes(finer), 1);
      return say(language, "  the helix check, which finds them, was not run: its ",
                 "  それを求めるヘリックスでの確認は行っていません。") +
             segments + say(language, " segments are beyond the ", " セグメントで既定の ") +
             std::to_string(HelixLimits::kDefaultMostSegments) +
             say(language, " run by default (--helix runs it: about ",
                 " を超えます（--helix で行えます。メモリ約 ") +
             gigabytes + say(language, " GB, minutes a run)\n", " GB、1回数分）\n");
    }
    case Results::HelixNotRun::beyondLimit:
      return say(language, "  a helix of ", "  ") + segments +
             say(language, " segments is beyond the ",
                 " セグメントのヘリックスは、このプログラムが扱う ") +
             std::to_string(HelixLimits::kMostSegments) +
             say(language, " this program runs\n", " を超えます\n");
    case Results::HelixNotRun::beyondDevice:
      return say(language, "  a helix of ", "  ") + segments +
             say(language, " segments is beyond the ",
                 " セグメントのヘリックスは、この端末のメモリで扱える ") +
             std::to_string(f.helixDeviceMostSegments.value_or(0)) +
             say(language, " this device's memory allows\n", " を超えます\n");
  }
  return {};
}

// Where the turns are menu 2's for the lumped coil and the helix did not
// run: the coil as wound will likely need more, and why.
std::string asWoundLines(const Results::Figures& f, Language language) {
  if (!f.helixNotRun) return {};
  const std::string most = std::to_string(HelixLimits::kMostExtraTurnsSeenPercent);
  return say(language,
             "  wound, it will likely need more turns: its length and its current, not the same "
             "along it, make it act as less inductance than menu 2's formula gives (NEC2's helix "
             "needed up to ",
             "  巻いたコイルはこの巻数より多く要ることが多い: コイルの長さと、コイルに沿って一様"
             "でない電流のため、メニュー2の式より小さいインダクタンスとして働きます（試した設計"
             "では NEC2 のヘリックスで最大 ") +
         most +
         say(language, " % more on the designs tried, fewer near its self-resonance)\n",
             " % 多く、自己共振に近いと少ないことも）\n") +
         helixNotRunText(f, language);
}

// The coil to wind: NEC2's inductance (or menu 1's), and with the coil's
// measures the turns, as the helix found them or by menu 2's formula.
std::string coilToWindLines(const Checked::Design& d, const Results::Figures& f,
                            Language language) {
  if (f.helixTurns) return helixCoilLines(d, f, language);
  std::string lines = coilHeading(d, language) + inductanceToWind(f, language);
  if (!f.turnsForInductanceUh) return lines + "\n";
  if (!f.turns) {
    return lines + say(language, ": ", "。") + Warnings::words(Warning::coilTooLarge, f, language) +
           "\n";
  }
  lines += say(language, ": ", "、") + turnsText(*f.turns, language) +
           lengthText(*f.coilLengthMm, language) + measuresText(d, language) + "\n";
  return lines + selfResonanceLine(f, language) + asWoundLines(f, language);
}

std::string noCoilLines(const Checked::Design& d, Language language) {
  return coilHeading(d, language) +
         say(language,
             "none: the element resonates at or below the frequency without one (it is at or "
             "beyond its own resonance)\n",
             "不要です。コイルなしでこの周波数かそれより低い周波数に共振します（エレメント自体の"
             "共振点かそれより長い）\n");
}

std::string menuOneLine(const Results::Figures& f, Language language) {
  std::string line = say(language, "Menu 1's coil: ", "メニュー1のコイル: ") +
                     MenuOneCoil::screenText(*f.menu1InductanceUh) + uh(language);
  if (f.differencePercent) {
    const bool larger = *f.differencePercent >= 0.0;
    line += say(language, ", ", "（NEC2 より ") + withDecimals(std::abs(*f.differencePercent), 1) +
            (larger ? say(language, " % larger than NEC2's", " % 大きい）")
                    : say(language, " % smaller than NEC2's", " % 小さい）"));
  }
  if (f.menu1CoilResonanceMhz) {
    line += say(language, "; it resonates at ", "、共振周波数 ") +
            withDecimals(*f.menu1CoilResonanceMhz, 3) + " MHz";
  }
  return line + "\n";
}

std::string ohm(Language language) { return say(language, " ohm", " Ω"); }

std::string feedLine(const Results::Figures& f, Language language) {
  return say(language, "Feed-point impedance at resonance: ", "共振時の給電点インピーダンス: ") +
         withDecimals(*f.feedResistanceOhm, 2) + ohm(language) +
         say(language, " with the losses (what an analyser reads), ",
             "（損失込み、アナライザーで測れる値）、損失なしでは ") +
         withDecimals(*f.feedResistanceLosslessOhm, 2) + ohm(language) +
         say(language, " without; SWR ", "。SWR ") + withDecimals(*f.swr50AtResonance, 2) +
         say(language, " on 50 ohm\n", "（50 Ω）\n");
}

std::string bandwidthLine(const Results::Figures& f, Language language) {
  std::string line = say(language, "Bandwidth (SWR 2): ", "帯域幅（SWR 2）: ");
  if (f.bandwidthMatchedKhz) {
    line += withDecimals(*f.bandwidthMatchedKhz, 1) +
            say(language, " kHz matched to the ", " kHz（共振時の ") +
            withDecimals(*f.feedResistanceOhm, 2) +
            say(language, " ohm at resonance (the slope of the reactance, dX/df, predicts ",
                " Ω に整合したとき。リアクタンスの周波数に対する傾き dX/df からの予測 ") +
            withDecimals(f.bandwidthPredictedKhz.value_or(NAN), 1) +
            say(language, " kHz); ", " kHz）、");
  }
  return line + say(language, "on 50 ohm ", "50 Ω では ") +
         (f.bandwidth50OhmKhz
              ? withDecimals(*f.bandwidth50OhmKhz, 1) + " kHz\n"
              : say(language, "the SWR never falls to 2\n", "SWR が 2 まで下がりません\n"));
}

std::string efficiencyLine(const Checked::Design& d, const Results::Figures& f, Language language) {
  const bool lossyWire = d.conductor != Nec2::Conductor::perfect;
  std::string line = say(language, "Radiation efficiency: ", "放射効率: ") +
                     withDecimals(*f.efficiencyPercent, 1) + say(language, " % (", " %（") +
                     withDecimals(*f.efficiencyDb, 2) + say(language, " dB), ", " dB）、") +
                     groundText(d, language) +
                     say(language, ", with the coil's loss (Q ", "、コイル（Q ") + shortest(d.q) +
                     (lossyWire ? say(language, ") and the wire's", "）と導線の損失込み")
                                : say(language, ")", "）の損失込み"));
  if (f.helixEfficiencyPercent) {
    line += say(language, "; ", "。巻いたコイルの線の損失だけなら ") +
            withDecimals(*f.helixEfficiencyPercent, 1) +
            say(language, " % with the wound coil's wire loss alone", " %");
  }
  return line + "\n";
}

// Menu 4's figure is no efficiency: lossless, the radiation resistance
// against a full-size quarter wave's (its screen calls it 能率).
std::string menuFourText(const Results::Figures& f, Language language) {
  return say(language, "menu 4's figure, lossless: ", "メニュー4の能率（損失なし）: ") +
         MenuFourEfficiency::screenText(*f.menu4EfficiencyDb) + " dB";
}

std::string radiationResistanceLine(const Results::Figures& f, Language language) {
  if (!f.radiationResistanceRatioDb) {
    return say(language, "Radiation resistance against a full-size quarter wave's: ",
               "フルサイズ 1/4 波長に対する放射抵抗の比: ") +
           menuFourText(f, language) + "\n";
  }
  return say(language, "Radiation resistance against a full-size quarter wave's: ",
             "フルサイズ 1/4 波長に対する放射抵抗の比: ") +
         withDecimals(*f.radiationResistanceRatioDb, 2) + " dB" + say(language, " (", "（") +
         menuFourText(f, language) +
         say(language, "; neither is the efficiency)\n", "。どちらも放射効率ではありません）\n");
}

std::string qLine(const Results::Figures& f, Language language) {
  const std::string chu = withDecimals(*f.chuLimitQ, 2);
  if (!f.q || !f.qLossless) {
    return say(language, "Chu's limit: Q = ", "Chu の限界: Q = ") + chu + "\n";
  }
  return say(language, "Q from the slope: ", "傾きからの Q: ") + say(language, "", "損失込み ") +
         withDecimals(*f.q, 1) + say(language, " with losses, ", "、損失なし ") +
         withDecimals(*f.qLossless, 1) + say(language, " without (Chu's limit: ", "（Chu の限界 ") +
         chu + say(language, ")\n", "）\n");
}

std::string segmentsLine(const Results::Figures& f, Language language) {
  if (f.segmentSeries.empty() || !f.nec2cRuns) return {};
  const std::string first = std::to_string(f.segmentSeries.front().segments);
  const std::string counts =
      f.segmentSeries.size() == 1
          ? first + say(language, " (one count)", "（1段階のみ）")
          : first + say(language, " to ", "～") + std::to_string(f.segmentSeries.back().segments) +
                say(language, " (", "（") + std::to_string(f.segmentSeries.size()) +
                say(language, " counts)", "段階）");
  return say(language, "Segments: ", "セグメント数: ") + counts +
         say(language, ", nec2c runs: ", "、nec2c の実行回数: ") + std::to_string(*f.nec2cRuns) +
         "\n";
}

}  // namespace

std::string text(const Checked::Design& d, const Results::Figures& f, Language language) {
  std::string out = designLine(d, language);
  const bool solved = f.necInductanceUh.has_value();
  out += solved ? coilToWindLines(d, f, language) : noCoilLines(d, language);
  out += menuOneLine(f, language);
  if (solved) {
    out += feedLine(f, language);
    out += bandwidthLine(f, language);
    out += efficiencyLine(d, f, language);
  }
  out += radiationResistanceLine(f, language);
  out += qLine(f, language);
  out += segmentsLine(f, language);
  for (const Warning warning : f.warnings) {
    out += say(language, "Warning: ", "注意: ") + Warnings::words(warning, f, language) + "\n";
  }
  return out;
}

std::vector<std::string> pageNotes(const Results::Figures& f, Language language) {
  if (f.helixNotRun != Results::HelixNotRun::beyondDevice) return {};
  return {say(language,
              "The coil as wound was not checked: its helix needs more memory than this device "
              "lets the page use, so the answer is the lumped coil's. tanshuku-nec on a computer "
              "checks it.",
              "巻いたとおりのコイルは確かめていません。そのヘリックスにはこの端末でページが使える"
              "より多くのメモリが要るため、答えは集中定数のコイルのものです。コンピューターの "
              "tanshuku-nec なら確かめられます。")};
}

}  // namespace DesignReport
