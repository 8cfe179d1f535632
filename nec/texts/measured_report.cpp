#include "nec/texts/measured_report.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "nec/search/bandwidth.hpp"
#include "nec/texts/json_members.hpp"
#include "nec/texts/number_text.hpp"

namespace MeasuredReport {
namespace {

using MeasuredFigures::Figures;
using MeasuredFigures::Resonance;
using Messages::Language;
using Messages::say;
using NumberText::shortest;
using NumberText::withDecimals;

std::string mhz(double value) { return withDecimals(value, 4); }

std::string ohm(Language language) { return say(language, " ohm", " Ω"); }

std::string onCable(Language language) {
  return say(language, " on ", "（") + shortest(Bandwidth::kCableOhm) +
         say(language, " ohm", " Ω）");
}

std::string rightAligned(const std::string& text, std::size_t width) {
  return std::string(width - std::min(width, text.size()), ' ') + text;
}

std::string headingLine(const Figures& f, Language language) {
  const std::string points = std::to_string(f.points);
  const std::string count = language == Language::japanese
                                ? points + " 点"
                                : points + (f.points == 1 ? " point" : " points");
  const std::string range =
      f.points == 1 ? mhz(f.firstMhz) : mhz(f.firstMhz) + say(language, "–", "～") + mhz(f.lastMhz);
  return say(language, "Measured: ", "測定: ") + count + say(language, ", ", "、") + range +
         " MHz\n";
}

// What was done to the file's order, where anything was.
std::string orderLine(const Touchstone::OnePort& measured, Language language) {
  std::string said;
  if (measured.sorted) {
    said = say(language, "the file's frequencies were out of order: sorted",
               "ファイルの周波数が昇順でないため並べ替えました");
  }
  if (measured.repeated > 0) {
    if (!said.empty()) said += say(language, "; ", "。");
    said += (language == Language::japanese ? "周波数の重複 " : "") +
            std::to_string(measured.repeated) +
            (language == Language::japanese ? " 件: 最後の点を採用しました"
             : measured.repeated == 1       ? " repeated frequency: the last point kept"
                                            : " repeated frequencies: the last point kept");
  }
  return said.empty() ? said : say(language, "Note: ", "注意: ") + said + "\n";
}

std::string directionText(const Resonance& resonance, Language language) {
  return resonance.rising
             ? say(language, "reactance rising (series)", "リアクタンスが負から正（直列）")
             : say(language, "reactance falling (parallel)", "リアクタンスが正から負（並列）");
}

// The resonances, the one nearest nearMhz first, the rest ascending; the
// frequencies and resistances right-aligned in their columns.
std::string resonanceLines(const Figures& f, std::optional<double> nearMhz, Language language) {
  const std::string heading =
      say(language, "Resonances (reactance through zero):", "共振（リアクタンスが 0 を通る点）:");
  if (f.resonances.empty()) {
    return heading +
           say(language, " none within the file's range\n", " ファイルの範囲内にありません\n");
  }
  const std::optional<Resonance> near =
      nearMhz ? MeasuredFigures::nearest(f, *nearMhz) : std::nullopt;
  std::vector<Resonance> listed = f.resonances;
  if (near) {
    std::stable_partition(listed.begin(), listed.end(),
                          [&](const Resonance& r) { return r.mhz == near->mhz; });
  }
  std::size_t mhzWidth = 0;
  std::size_t ohmWidth = 0;
  for (const Resonance& r : listed) {
    mhzWidth = std::max(mhzWidth, mhz(r.mhz).size());
    ohmWidth = std::max(ohmWidth, withDecimals(r.resistanceOhm, 1).size());
  }
  std::string lines = heading + "\n";
  for (const Resonance& r : listed) {
    lines += "  " + rightAligned(mhz(r.mhz), mhzWidth) + " MHz  R " +
             rightAligned(withDecimals(r.resistanceOhm, 1), ohmWidth) + ohm(language) + "  " +
             directionText(r, language);
    if (near && r.mhz == near->mhz) {
      lines += say(language, "  nearest to ", "  ") + shortest(*nearMhz) +
               say(language, " MHz", " MHz に最も近い");
    }
    lines += "\n";
  }
  return lines;
}

std::string minimumLine(const Figures& f, Language language) {
  const std::string heading = say(language, "Lowest SWR", "最小 SWR") + onCable(language) + ": ";
  if (!f.minimumSwr) {
    return heading + say(language, "none, every point reflecting all the power\n",
                         "なし（すべての点で全反射）\n");
  }
  return heading + withDecimals(*f.minimumSwr, 2) + say(language, " at ", "（") +
         mhz(*f.minimumSwrMhz) + say(language, " MHz\n", " MHz）\n");
}

std::string bandText(const Figures& f, Language language) {
  if (!f.minimumSwr || *f.minimumSwr >= MeasuredFigures::kSwrLimit) {
    return say(language, "the SWR never falls to 2", "SWR が 2 まで下がりません");
  }
  if (f.swr2LowMhz && f.swr2HighMhz) {
    return mhz(*f.swr2LowMhz) + say(language, " to ", "～") + mhz(*f.swr2HighMhz) +
           say(language, " MHz (", " MHz（") +
           withDecimals((*f.swr2HighMhz - *f.swr2LowMhz) * 1000.0, 1) +
           say(language, " kHz)", " kHz）");
  }
  if (f.swr2LowMhz) {
    return say(language, "from ", "下端 ") + mhz(*f.swr2LowMhz) +
           say(language, " MHz, the upper end not within the file's range",
               " MHz、上端はファイルの範囲外");
  }
  if (f.swr2HighMhz) {
    return say(language, "the lower end not within the file's range, up to ",
               "下端はファイルの範囲外、上端 ") +
           mhz(*f.swr2HighMhz) + " MHz";
  }
  return say(language, "neither end within the file's range", "両端ともファイルの範囲外");
}

std::string bandLine(const Figures& f, Language language) {
  return say(language, "SWR 2 band", "SWR 2 以下の帯域") + onCable(language) + ": " +
         bandText(f, language) + "\n";
}

}  // namespace

std::string text(const Touchstone::OnePort& measured, const Figures& f,
                 std::optional<double> nearMhz, Language language) {
  return headingLine(f, language) + orderLine(measured, language) +
         resonanceLines(f, nearMhz, language) + minimumLine(f, language) + bandLine(f, language);
}

std::string json(const Figures& f) {
  JsonMembers::Elements resonances;
  for (const Resonance& r : f.resonances) {
    JsonMembers::Members member;
    member.add("mhz", std::optional(r.mhz));
    member.add("resistanceOhm", std::optional(r.resistanceOhm));
    member.add("rising", r.rising);
    resonances.add(member.object());
  }
  JsonMembers::Members all;
  all.add("resonances", resonances.array());
  all.add("minimumSwr", f.minimumSwr);
  all.add("minimumSwrMhz", f.minimumSwrMhz);
  all.add("swr2LowMhz", f.swr2LowMhz);
  all.add("swr2HighMhz", f.swr2HighMhz);
  all.add("points", std::optional(f.points));
  return all.object();
}

}  // namespace MeasuredReport
