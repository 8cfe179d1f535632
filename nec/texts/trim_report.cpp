#include "nec/texts/trim_report.hpp"

#include <cmath>

#include "nec/texts/json_members.hpp"
#include "nec/texts/measured_report.hpp"
#include "nec/texts/number_text.hpp"

namespace TrimReport {
namespace {

using Messages::Language;
using Messages::say;
using NumberText::shortest;
using NumberText::withDecimals;

std::string mhz(double value) { return withDecimals(value, 4) + " MHz"; }

std::string measuredLine(const Trim::Measured& m, const std::optional<double>& swrMinimumMhz,
                         const std::optional<std::string>& file, Language language) {
  std::string line = say(language, "Measured", "測定");
  if (file) line += " (" + *file + ")";
  line += say(language, ": resonance at ", ": 共振 ") + mhz(m.resonanceMhz);
  if (swrMinimumMhz) {
    line += say(language, " (the SWR's minimum at ", "（SWR 最小の ") + mhz(*swrMinimumMhz) +
            say(language, ", moved as the model's own minimum lies from its resonance)",
                " を、モデルの SWR 最小と共振の差だけ動かした値）");
  } else if (file) {
    line += say(language, " (the rising resonance nearest the design's)",
                "（設計周波数に最も近い、リアクタンスが負から正になる共振）");
  }
  if (m.resistanceOhm) {
    line += say(language, ", ", "、") + withDecimals(*m.resistanceOhm, 2) +
            say(language, " ohm there", " Ω");
  }
  return line + "\n";
}

std::string coilLine(const Checked::Design& d, const Trim::Advice& a, Language language) {
  if (a.asBuiltTopLongerM) {
    const double longerMm = *a.asBuiltTopLongerM * 1000.0;
    return say(language, "  as built, the wire above the coil acts as ",
               "  作ったアンテナのコイルより先の線は、設計より ") +
           withDecimals(std::abs(longerMm), 0) +
           (longerMm >= 0.0
                ? say(language, " mm longer than the design's\n", " mm 長く働いています\n")
                : say(language, " mm shorter than the design's\n", " mm 短く働いています\n"));
  }
  if (!a.asBuiltInductanceUh) {
    return say(language, "  NEC2's model cannot be made to resonate at that frequency: no trim\n",
               "  NEC2 のモデルをその周波数に共振させられないので、調整はしません\n");
  }
  return say(language, "  as built, the coil acts as ", "  作ったコイルは ") +
         withDecimals(*a.asBuiltInductanceUh, 2) +
         say(language, " uH; at ", " μH として働いています。設計周波数 ") +
         shortest(d.frequencyMhz) + " MHz" + say(language, " the design needs ", " には ") +
         withDecimals(a.designInductanceUh, 2) + say(language, " uH\n", " μH が必要です\n");
}

std::string farLines(const Checked::Design& d, const Trim::Measured& m, const Trim::Advice& a,
                     Language language) {
  const double offPercent = (m.resonanceMhz / d.frequencyMhz - 1.0) * 100.0;
  std::string line =
      say(language, "Not trimmed: the resonance lies ", "調整はしません: 共振が設計周波数から ") +
      withDecimals(std::abs(offPercent), 1) +
      say(language,
          " % from the design's: the antenna as built is not the design (another coil "
          "or another length)",
          " % 離れていて、作ったアンテナは設計と違います（コイルか長さが別物です）");
  if (a.asBuiltInductanceUh) {
    const double morePercent = (a.designInductanceUh / *a.asBuiltInductanceUh - 1.0) * 100.0;
    line += say(language, "; its coil would need ", "。コイルのインダクタンスを ") +
            withDecimals(std::abs(morePercent), 1) +
            (morePercent >= 0.0 ? say(language, " % more", " % 増やす")
                                : say(language, " % less", " % 減らす")) +
            say(language, " inductance", "必要があります");
  }
  return line + "\n";
}

std::string turnsLine(const Checked::Design& d, const Trim::Advice& a, Language language) {
  const double change = *a.turnsChange;
  std::string line = say(language, "Trim: ", "調整: ");
  if (change == 0.0) {
    return line + say(language, "none: the turns wound resonate at the design's frequency\n",
                      "不要です（巻いた巻数で設計周波数に共振します）\n");
  }
  const bool more = change > 0.0;
  line += say(language, more ? "wind " : "take off ", "巻数を ") +
          withDecimals(std::abs(change), 1) +
          say(language, more ? " turns more (a " : " turns (a ",
              more ? " 巻 増やすと（コイルは " : " 巻 減らすと（コイルは ") +
          withDecimals(std::abs(*a.coilLengthChangeMm), 1) +
          say(language, more ? " mm longer coil): " : " mm shorter coil): ",
              more ? " mm 長く）、" : " mm 短く）、") +
          withDecimals(*a.turnsWound + change, 1) +
          say(language, " turns in all resonate at ", " 巻で ") + shortest(d.frequencyMhz) +
          say(language, " MHz\n", " MHz に共振します\n");
  return line;
}

std::string topLine(const Checked::Design& d, const Trim::Advice& a, Language language) {
  const double changeMm = std::round(*a.topLengthChangeM * 1000.0);
  std::string line = say(language, "Trim: ", "調整: ");
  if (changeMm == 0.0) {
    return line + say(language, "none: the length resonates at the design's frequency\n",
                      "不要です（今の長さで設計周波数に共振します）\n");
  }
  const std::string where =
      d.dipole ? say(language, " each half's wire above the coil", "両側とも、コイルより先の線を ")
               : say(language, " the wire above the coil", "コイルより先の線を ");
  const std::string mm = withDecimals(std::abs(changeMm), 0) + " mm";
  if (language == Language::japanese) {
    line += where + mm + (changeMm < 0.0 ? " 切ると " : " 伸ばすと ");
  } else {
    line += (changeMm < 0.0 ? "cut " + mm + " from" : "add " + mm + " to") + where + ", ";
  }
  return line + say(language, "to resonate at ", "") + shortest(d.frequencyMhz) +
         say(language, " MHz\n", " MHz に共振します\n");
}

std::string slopeLine(const Trim::Advice& a, Language language) {
  std::string line = say(language, "  the resonance moves by ", "  共振周波数の動き: ");
  if (a.khzPerTurn) {
    line += withDecimals(*a.khzPerTurn, 1) +
            say(language, " kHz for one turn more, ", " kHz（1 巻 増やすごと）、");
  }
  return line + withDecimals(*a.khzPerCm, 1) +
         say(language, " kHz for one centimetre more above the coil\n",
             " kHz（コイルより先を 1 cm 伸ばすごと）\n");
}

std::string lossLine(const Checked::Design& d, const Results::Figures& f, const Trim::Measured& m,
                     const Trim::Advice& a, Language language) {
  if (!m.resistanceOhm) return {};
  if (d.dipole) {
    return say(language,
               "  no loss from the resistance: a dipole's depends on its height, which the model "
               "does not know\n",
               "  ダイポールの抵抗は高さで変わり、モデルは高さを知らないので、損失は求めません\n");
  }
  std::string line =
      say(language, "  loss: ", "  損失: ") + withDecimals(*a.lossResistanceOhm, 2) +
      say(language, " ohm (the measured ", " Ω（測定値 ") + withDecimals(*m.resistanceOhm, 2) +
      say(language, " ohm less the model's lossless ", " Ω から損失なしのモデルの ") +
      withDecimals(*a.radiationResistanceOhm, 2) +
      say(language, " ohm: the ground, the coil and the connections)",
          " Ω を引いたもの: 大地、コイル、接続の損失）");
  if (a.efficiencyPercent) {
    line += say(language, "; efficiency ", "、放射効率 ") + withDecimals(*a.efficiencyPercent, 1) +
            say(language, " % (the model's ", " %（モデルでは ") +
            withDecimals(f.efficiencyPercent.value_or(NAN), 1) + say(language, " %)", " %）");
  } else {
    line += say(language, "; below the model's: measure at the feed itself",
                "。モデルより小さいので、給電点で測り直してください");
  }
  return line + "\n";
}

}  // namespace

std::string text(const Checked::Design& d, const Results::Figures& f,
                 const std::optional<MeasuredCut::Cut>& cut, const std::optional<std::string>& file,
                 Language language) {
  if (!cut) return {};
  const Trim::Measured& m = cut->taken.measured;
  const Trim::Advice& a = cut->advice;
  std::string out =
      measuredLine(m, cut->taken.swrMinimumMhz, file, language) + coilLine(d, a, language);
  if (a.farFromDesign) return out + farLines(d, m, a, language);
  if (a.turnsChange) {
    out += turnsLine(d, a, language);
  } else if (a.topLengthChangeM) {
    out += topLine(d, a, language);
  }
  if (a.khzPerCm) out += slopeLine(a, language);
  return out + lossLine(d, f, m, a, language);
}

std::string jsonMembers(const std::optional<MeasuredFigures::Figures>& file,
                        const std::optional<MeasuredCut::Cut>& cut) {
  std::string members;
  if (file) members += ",\"measured\":" + MeasuredReport::json(*file);
  if (!cut) return members;
  const Trim::Measured& m = cut->taken.measured;
  const Trim::Advice& a = cut->advice;
  JsonMembers::Members trim;
  trim.add("measuredMhz", m.resonanceMhz);
  trim.add("measuredResistanceOhm", m.resistanceOhm);
  trim.add("swrMinimumMhz", cut->taken.swrMinimumMhz);
  trim.add("farFromDesign", a.farFromDesign);
  trim.add("asBuiltInductanceUh", a.asBuiltInductanceUh);
  trim.add("designInductanceUh", a.designInductanceUh);
  trim.add("asBuiltTopLongerM", a.asBuiltTopLongerM);
  trim.add("turnsWound", a.turnsWound);
  trim.add("turnsChange", a.turnsChange);
  trim.add("coilLengthChangeMm", a.coilLengthChangeMm);
  trim.add("topLengthChangeM", a.topLengthChangeM);
  trim.add("khzPerTurn", a.khzPerTurn);
  trim.add("khzPerCm", a.khzPerCm);
  trim.add("radiationResistanceOhm", a.radiationResistanceOhm);
  trim.add("lossResistanceOhm", a.lossResistanceOhm);
  trim.add("efficiencyPercent", a.efficiencyPercent);
  return members + ",\"trim\":" + trim.object();
}

}  // namespace TrimReport
