// The antenna accuracy study: runs NEC2 and the program over every case,
// writes the data of the plots into a folder and a sample NEC2 deck of each
// kind of antenna into another, and fills the antenna tables of the page.
// Usage: antenna_accuracy_study DATA_FOLDER DECK_FOLDER PAGE...
// A page whose name ends in .ja.md gets its tables in Japanese.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "docs/accuracy/antenna_comparison.hpp"
#include "docs/accuracy/page_tables.hpp"
#include "docs/accuracy/thick_element.hpp"
#include "nec/model/deck.hpp"

namespace {

using namespace AntennaComparison;
using AntennaReference::kSegmentsPerWave;
using PageTables::format;
using PageTables::Language;
using PageTables::say;

constexpr double kLengthToDiameter[] = {100.0, 1000.0, 10000.0};
constexpr double kCoilHeights[] = {0.25, 0.5, 0.75};
constexpr Loading kLoadings[] = {Loading::base, Loading::centre, Loading::top};
constexpr double kCentreCoilLengthToDiameter = 1000.0;
// Menu 4 against conductors from wire to thick tube, on two bands.
constexpr double kEfficiencyDiametersMm[] = {2.0, 10.0, 40.0};
constexpr double kEfficiencyBandsMhz[] = {7.0, 21.0};

double percent(double ratio) { return 100.0 * ratio; }

// From first to last in equal steps, both ends included.
std::vector<double> steps(double first, double last, double step) {
  std::vector<double> values;
  int count = static_cast<int>(std::lround((last - first) / step));
  for (int i = 0; i <= count; ++i) values.push_back(first + i * step);
  return values;
}

std::vector<double> logarithmicSteps(double low, double high, int count) {
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(low * std::pow(high / low, i / (count - 1.0)));
  return values;
}

bool isListed(double value, std::initializer_list<double> listed) {
  return std::any_of(listed.begin(), listed.end(),
                     [&](double entry) { return std::fabs(entry - value) < 1e-9; });
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double largest(const std::vector<double>& values) {
  return *std::max_element(values.begin(), values.end());
}

// Which way the program errs over all the cases.
const char* direction(const std::vector<double>& errors, const char* above, const char* below,
                      Language language) {
  if (*std::min_element(errors.begin(), errors.end()) > 0.0) return above;
  if (*std::max_element(errors.begin(), errors.end()) < 0.0) return below;
  return say(language, "both ways", "どちらにも");
}

std::vector<double> magnitudes(std::vector<double> values) {
  for (double& value : values) value = std::fabs(value);
  return values;
}

const char* loadingName(Loading loading) {
  switch (loading) {
    case Loading::base: return "base";
    case Loading::centre: return "centre";
    case Loading::top: return "top";
  }
  return "";
}

const char* loadingNameJa(Loading loading) {
  switch (loading) {
    case Loading::base: return "ベース";
    case Loading::centre: return "センター";
    case Loading::top: return "トップ";
  }
  return "";
}

// A coil's height as a share of the element: 0.25 as "1/4" in Japanese.
std::string heightName(double height, Language language) {
  if (language == Language::english) return format("%g", height);
  if (std::fabs(height - 0.25) < 1e-9) return "1/4";
  if (std::fabs(height - 0.5) < 1e-9) return "1/2";
  if (std::fabs(height - 0.75) < 1e-9) return "3/4";
  return format("%g", height);
}

std::string ratioName(double ratio) { return format("%g", ratio); }

std::string impedanceText(double resistance, double reactance, const char* number = "%.1f") {
  const std::string pattern = std::string(number) + " %s j" + number;
  return format(pattern.c_str(), resistance, reactance < 0.0 ? "−" : "+", std::fabs(reactance));
}

// Thick elements that a builder would make, each as one wire of the tube's
// radius and as a cage of thin wires.
struct ThickDesign {
  ThickElement::Design design;
  const char* description;
  const char* descriptionJa;
};

const ThickDesign kThickDesigns[] = {
    {{"A", 14.2, 1.2, 0.012, 0.8},
     "14.2 MHz, 1.2 m of 12 mm tube, coil 0.4 m below the tip",
     "14.2 MHz、直径12 mmのパイプ1.2 m、先端から0.4 m下にコイル"},
    {{"B", 1.85, 3.0, 0.010, 0.0},
     "1.85 MHz, 3 m of 10 mm rod, base coil",
     "1.85 MHz、直径10 mmの棒3 m、ベースローディング"},
    {{"C", 21.2, 1.5, 0.025, 0.75},
     "21.2 MHz, 1.5 m of 25 mm tube, coil half-way up",
     "21.2 MHz、直径25 mmのパイプ1.5 m、中ほどにコイル"},
};

// The cases, computed once.
struct Study {
  std::vector<std::vector<FeedPointComparison>> feedPoints;  // by ratio, then length
  std::vector<Convergence> convergences;
  std::vector<std::vector<CoilComparison>> baseCoils;           // by ratio, then length
  std::vector<std::vector<CoilComparison>> centreCoils;         // by coil height, then length
  std::vector<std::vector<EfficiencyComparison>> efficiencies;  // by loading, then length
  // The same for other conductors and bands: by conductor, loading, length.
  std::vector<std::vector<std::vector<EfficiencyComparison>>> conductorEfficiencies;
  std::vector<DipoleComparison> dipoles;
  // The other references at 100 and 300 segments a wavelength, by row of
  // kOtherConvergenceRows.
  std::vector<std::pair<double, double>> otherConvergences;
  std::vector<ThickElement::Comparison> thickElements;  // by kThickDesigns
};

// The other references at 100 and 300 segments a wavelength: a third of the
// segment length keeps a coil at the same height, on the middle of the three
// segments that its segment is cut into.
struct OtherConvergenceRow {
  const char* quantity;
  const char* quantityJa;
  const char* unit;
  double (*value)(int segmentsPerWave);
};

const OtherConvergenceRow kOtherConvergenceRows[] = {
    {"resonant length of a monopole, λ / D 200", "モノポールの共振長、λ/D = 200", "m",
     [](int s) {
       return AntennaReference::firstResonance(programWavelengthM() / 200.0, kFrequencyMhz, s)
           .lengthM;
     }},
    {"resonant length of a monopole, λ / D 10⁴", "モノポールの共振長、λ/D = 10⁴", "m",
     [](int s) {
       return AntennaReference::firstResonance(programWavelengthM() / 1e4, kFrequencyMhz, s)
           .lengthM;
     }},
    {"resonant monopole of 10 mm wire: radiation resistance",
     "直径10 mmのパイプで共振したモノポールの放射抵抗", "Ω",
     [](int s) { return AntennaReference::firstResonance(0.01, kFrequencyMhz, s).resistanceOhm; }},
    {"coil half-way up 0.1 λ, L/D 1000: reactance",
     "0.1波長、L/D = 1000の中ほどのコイルのリアクタンス", "Ω",
     [](int s) {
       AntennaReference::Monopole m = Element{0.1, 1000.0}.monopole(s);
       return AntennaReference::resonatingCoil(m, m.lengthM / 2.0).reactanceOhm;
     }},
    {"coil half-way up 0.1 λ of 10 mm wire: radiation resistance",
     "直径10 mmのパイプ、0.1波長の中ほどにコイルを入れたときの放射抵抗", "Ω",
     [](int s) {
       AntennaReference::Monopole m{0.1 * programWavelengthM(), 0.01, kFrequencyMhz, s};
       return AntennaReference::resonatingCoil(m, m.lengthM / 2.0).resistanceOhm;
     }},
    {"top hat on 0.1 λ of 10 mm wire: radiation resistance",
     "直径10 mmのパイプ、0.1波長に容量冠を付けたときの放射抵抗", "Ω",
     [](int s) {
       return AntennaReference::resonatingTopHat(
                  {0.1 * programWavelengthM(), 0.01, kFrequencyMhz, s})
           .resistanceOhm;
     }},
};

std::vector<std::pair<double, double>> otherConvergences() {
  std::vector<std::pair<double, double>> values;
  for (const OtherConvergenceRow& row : kOtherConvergenceRows) {
    values.emplace_back(row.value(kSegmentsPerWave), row.value(kSegmentsPerWave * 3));
  }
  return values;
}

// The program's check of the range is strict against 0.63 in the extended
// format, so at 0.63 itself the calculator writes its out-of-range line;
// anywhere else on these elements the line would mean that a curve of the
// model gave up, and its figures would not be computed ones.
void checkNoCurveApologised(const FeedPointComparison& point) {
  int expected = point.element.electricalLength > 0.6299 ? 1 : 0;
  if (point.program.apologies != expected) {
    throw std::runtime_error(format("menu 3 apologised %d times at %g wavelength, L/D %g",
                                    point.program.apologies, point.element.electricalLength,
                                    point.element.lengthToDiameter));
  }
}

Study runStudy() {
  Study study;
  for (double ratio : kLengthToDiameter) {
    auto& points = study.feedPoints.emplace_back();
    for (double length : steps(0.1, 0.63, 0.005)) {
      points.push_back(compareFeedPoint({length, ratio}));
      checkNoCurveApologised(points.back());
    }
    for (double length : {0.1, 0.25, 0.4, 0.5, 0.63}) {
      study.convergences.push_back(convergence({length, ratio}));
    }
    auto& coils = study.baseCoils.emplace_back();
    for (double length : steps(0.03, 0.25, 0.005))
      coils.push_back(compareBaseCoil({length, ratio}));
  }
  for (double height : kCoilHeights) {
    auto& coils = study.centreCoils.emplace_back();
    for (double length : steps(0.03, 0.23, 0.01)) {
      coils.push_back(compareCentreCoil({length, kCentreCoilLengthToDiameter}, height));
    }
  }
  for (Loading loading : kLoadings) {
    auto& points = study.efficiencies.emplace_back();
    for (double length : steps(0.03, 0.23, 0.01))
      points.push_back(compareEfficiency(loading, length));
  }
  for (double frequency : kEfficiencyBandsMhz) {
    for (double diameter : kEfficiencyDiametersMm) {
      auto& byLoading = study.conductorEfficiencies.emplace_back();
      for (Loading loading : kLoadings) {
        auto& points = byLoading.emplace_back();
        // Up to 0.21 λ: the thickest element resonates by itself a little
        // above that, where no top hat brings it to resonance.
        for (double length : steps(0.03, 0.21, 0.02))
          points.push_back(compareEfficiency(loading, length, {diameter, frequency}));
      }
    }
  }
  for (double ratio : logarithmicSteps(200.0, 1e6, 29))
    study.dipoles.push_back(compareDipole(ratio));
  study.otherConvergences = otherConvergences();
  for (const ThickDesign& thick : kThickDesigns) {
    study.thickElements.push_back(ThickElement::compare(thick.design));
  }
  return study;
}

// Plot data.

void writeData(const Study& study, const std::string& folder) {
  for (const auto& points : study.feedPoints) {
    std::ofstream file(folder + "/feed-" + ratioName(points.front().element.lengthToDiameter) +
                       ".dat");
    file << "# w  program R  program X  NEC2 R  NEC2 X  |dZ|/|Z| %  R error %\n";
    for (const FeedPointComparison& p : points) {
      file << format("%.4f %.2f %.2f %.4f %.4f %.3f %.3f\n", p.element.electricalLength,
                     p.program.resistanceOhm, p.program.reactanceOhm, p.reference.real(),
                     p.reference.imag(), percent(p.impedanceError()), percent(p.resistanceError()));
    }
  }
  auto writeCoils = [&](const std::vector<CoilComparison>& coils, const std::string& name) {
    std::ofstream file(folder + "/" + name + ".dat");
    file << "# w  coil height / length  program uH  NEC2 uH  error %\n";
    for (const CoilComparison& c : coils) {
      file << format("%.4f %.4f %.4f %.5f %.3f\n", c.element.electricalLength, c.coilHeight,
                     c.programUh, c.referenceUh, percent(c.error()));
    }
  };
  for (const auto& coils : study.baseCoils) {
    writeCoils(coils, "coil-base-" + ratioName(coils.front().element.lengthToDiameter));
  }
  for (std::size_t i = 0; i < study.centreCoils.size(); ++i) {
    writeCoils(study.centreCoils[i], format("coil-centre-%g", kCoilHeights[i]));
  }
  auto writeEfficiencies = [&](const std::vector<EfficiencyComparison>& points,
                               const std::string& name) {
    std::ofstream file(folder + "/" + name + ".dat");
    file << "# H  program ratio  program dB  NEC2 R  NEC2 dB  error dB\n";
    for (const EfficiencyComparison& e : points) {
      file << format("%.4f %.3f %.2f %.4f %.3f %.3f\n", e.conductorLength, e.program.ratio,
                     e.program.decibels, e.loadedResistanceOhm, e.referenceDecibels(),
                     e.errorDecibels());
    }
  };
  for (const auto& points : study.efficiencies) {
    writeEfficiencies(points, std::string("efficiency-") + loadingName(points.front().loading));
  }
  for (const auto& byLoading : study.conductorEfficiencies) {
    for (const auto& points : byLoading) {
      const EfficiencyComparison& e = points.front();
      writeEfficiencies(points, format("efficiency-%s-%gmm-%gMHz", loadingName(e.loading),
                                       e.conductor.diameterMm, e.conductor.frequencyMhz));
    }
  }
  std::ofstream file(folder + "/dipole.dat");
  file << "# lambda/D  program %  NEC2 %  program m  NEC2 m  error %\n";
  for (const DipoleComparison& d : study.dipoles) {
    file << format("%.6g %.2f %.4f %.3f %.5f %.4f\n", d.wavelengthToDiameter,
                   d.program.shorteningPercent, d.referenceShorteningPercent(),
                   d.program.elementLengthM, d.referenceLengthM, percent(d.error()));
  }
}

// A sample deck of each kind, for readers who want to run NEC2 themselves.
void writeDecks(const std::string& folder) {
  auto write = [&](const std::string& name, const Nec2::Structure& structure) {
    std::ofstream(folder + "/" + name + ".nec") << Nec2::deck(structure);
  };
  const Element element{0.15, 1000.0};
  const AntennaReference::Monopole monopole = element.monopole();
  write("monopole", AntennaReference::dipoleOf(monopole));
  AntennaReference::CentreCoil coil =
      AntennaReference::resonatingCoil(monopole, 0.5 * monopole.lengthM);
  write("centre-coil",
        AntennaReference::coilLoadedDipole(monopole, coil.segmentsAboveFeed, coil.reactanceOhm));
  AntennaReference::TopHat hat = AntennaReference::resonatingTopHat(monopole);
  write("top-hat", AntennaReference::topHatDipole(monopole, hat.spokeLengthM, hat.spokeSegments));
}

// Tables.

std::string feedImpedanceTable(const Study& study, Language language) {
  std::string table = say(language, "| length (λ) |", "| 長さ（波長） |");
  for (double ratio : kLengthToDiameter) {
    table += format(
        say(language, " L/D %g: program | NEC2 | error |", " L/D %g：プログラム | NEC2 | 誤差 |"),
        ratio);
  }
  table += "\n|---:|";
  for (std::size_t i = 0; i < std::size(kLengthToDiameter); ++i) table += "---:|---:|---:|";
  table += "\n";
  const auto& lengths = study.feedPoints.front();
  for (std::size_t row = 0; row < lengths.size(); ++row) {
    double length = lengths[row].element.electricalLength;
    if (!isListed(length, {0.1, 0.15, 0.2, 0.25, 0.3, 0.35, 0.4, 0.45, 0.5, 0.55, 0.6, 0.63})) {
      continue;
    }
    table += format("| %.2f |", length);
    for (const auto& points : study.feedPoints) {
      const FeedPointComparison& p = points[row];
      table += format(" %s | %s | %.0f %% |",
                      impedanceText(p.program.resistanceOhm, p.program.reactanceOhm).c_str(),
                      impedanceText(p.reference.real(), p.reference.imag()).c_str(),
                      percent(p.impedanceError()));
    }
    table += "\n";
  }
  return table;
}

std::string convergenceTable(const Study& study, Language language) {
  std::string table = say(language,
                          "| L/D | length (λ) | 50 segments / λ | 100 segments / λ (used) "
                          "| 200 segments / λ | change 100 → 200 | segment / radius at 200 |\n",
                          "| L/D | 長さ（波長） | 1波長50セグメント | 1波長100セグメント（採用） "
                          "| 1波長200セグメント | 100→200での変化 | 200でのセグメント長/半径 |\n");
  table += "|---:|---:|---:|---:|---:|---:|---:|\n";
  for (const Convergence& c : study.convergences) {
    table +=
        format("| %g | %.2f | %s | %s | %s | %.1f %% | %.1f%s |\n", c.element.lengthToDiameter,
               c.element.electricalLength, impedanceText(c.coarse.real(), c.coarse.imag()).c_str(),
               impedanceText(c.nominal.real(), c.nominal.imag()).c_str(),
               impedanceText(c.fine.real(), c.fine.imag()).c_str(),
               percent(std::abs(c.fine - c.nominal) / std::abs(c.nominal)), c.fineSegmentToRadius,
               c.fineSegmentToRadius < 2.0 ? say(language, " (below 2)", "（2未満）") : "");
  }
  return table;
}

std::string otherConvergenceTable(const Study& study, Language language) {
  std::string table =
      say(language, "| quantity | 100 segments / λ (used) | 300 segments / λ | change |\n",
          "| 量 | 1波長100セグメント（採用） | 1波長300セグメント | 変化 |\n");
  table += "|---|---:|---:|---:|\n";
  for (std::size_t i = 0; i < std::size(kOtherConvergenceRows); ++i) {
    const OtherConvergenceRow& row = kOtherConvergenceRows[i];
    auto [nominal, fine] = study.otherConvergences[i];
    table += format("| %s | %.4g %s | %.4g %s | %+.2f %% |\n",
                    say(language, row.quantity, row.quantityJa), nominal, row.unit, fine, row.unit,
                    percent(fine / nominal - 1.0));
  }
  return table;
}

std::string coilTable(const Study& study, Language language) {
  std::string table = say(language, "| length (λ) |", "| 長さ（波長） |");
  for (double ratio : kLengthToDiameter) {
    table += format(say(language, " base, L/D %g: program | NEC2 | error |",
                        " ベース、L/D %g：プログラム | NEC2 | 誤差 |"),
                    ratio);
  }
  table += say(language, " coil half-way, L/D 1000: program | NEC2 | error |\n|---:|",
               " 中ほどのコイル、L/D 1000：プログラム | NEC2 | 誤差 |\n|---:|");
  for (int i = 0; i < 4; ++i) table += "---:|---:|---:|";
  table += "\n";
  const auto& centre = study.centreCoils[1];
  for (const CoilComparison& half : centre) {
    double length = half.element.electricalLength;
    if (!isListed(length, {0.03, 0.05, 0.07, 0.1, 0.13, 0.15, 0.17, 0.2, 0.22, 0.23})) continue;
    table += format("| %.2f |", length);
    for (const auto& coils : study.baseCoils) {
      auto base = std::find_if(coils.begin(), coils.end(), [&](const CoilComparison& c) {
        return std::fabs(c.element.electricalLength - length) < 1e-9;
      });
      table += format(" %.3f | %.3f | %+.1f %% |", base->programUh, base->referenceUh,
                      percent(base->error()));
    }
    table += format(" %.3f | %.3f | %+.1f %% |\n", half.programUh, half.referenceUh,
                    percent(half.error()));
  }
  return table;
}

std::string efficiencyTable(const Study& study, Language language) {
  std::string table =
      say(language,
          "| conductor length (λ) | base: program | NEC2 | centre: program | NEC2 | top: program "
          "| NEC2 |\n",
          "| 導体の長さ（波長） | ベース：プログラム | NEC2 | センター：プログラム | NEC2 "
          "| トップ：プログラム | NEC2 |\n");
  table += "|---:|---:|---:|---:|---:|---:|---:|\n";
  for (std::size_t row = 0; row < study.efficiencies.front().size(); ++row) {
    double length = study.efficiencies.front()[row].conductorLength;
    if (!isListed(length, {0.03, 0.05, 0.07, 0.1, 0.13, 0.15, 0.17, 0.2, 0.23})) continue;
    table += format("| %.2f |", length);
    for (const auto& points : study.efficiencies) {
      const EfficiencyComparison& e = points[row];
      table += format(" %.2f dB | %.2f dB (%.1f Ω) |", e.program.decibels, e.referenceDecibels(),
                      e.loadedResistanceOhm);
    }
    table += "\n";
  }
  return table;
}

std::string dipoleTable(const Study& study, Language language) {
  std::string table =
      format(say(language,
                 "| λ / D | diameter at %g MHz | program: shortening | element | NEC2: shortening "
                 "| half-length | program's error |\n",
                 "| λ/D | %g MHzでの直径 | プログラム：短縮分 | エレメント | NEC2：短縮分 "
                 "| 片側の長さ | プログラムの誤差 |\n"),
             kFrequencyMhz);
  table += "|---:|---:|---:|---:|---:|---:|---:|\n";
  for (std::size_t i = 0; i < study.dipoles.size(); i += 4) {
    const DipoleComparison& d = study.dipoles[i];
    table += format("| %.0f | %.3g mm | %.2f %% | %.3f m | %.2f %% | %.3f m | %+.2f %% |\n",
                    d.wavelengthToDiameter, programWavelengthM() / d.wavelengthToDiameter * 1000.0,
                    d.program.shorteningPercent, d.program.elementLengthM,
                    d.referenceShorteningPercent(), d.referenceLengthM, percent(d.error()));
  }
  return table;
}

// "21: 20.259, 41: 19.774": coils by segment count.
std::string coilSeries(const std::vector<int>& counts, const std::vector<double>& coilsUh) {
  std::string text;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    text += format("%s%d: %.3f", i == 0 ? "" : ", ", counts[i], coilsUh[i]);
  }
  return text;
}

// The coil tanshuku-nec gives from the single wire's series: its limit
// where the series settled geometrically, else the range of a thick
// element.
std::string singleWireRange(const ThickElement::Comparison& c, Language language) {
  const SegmentSeries::Estimate& e = c.singleRange;
  if (e.extrapolated) return format("%.3f ± %.3f", e.value, e.halfWidth());
  return format(say(language, "%.3f to %.3f", "%.3f～%.3f"), e.low, e.high);
}

std::string thickElementTable(const Study& study, Language language) {
  // Built by pieces: the Japanese heading is longer than format() holds.
  std::string table =
      say(language,
          "| element | single wire: coil (μH) at N segments | shortest segment / radius | "
          "tanshuku-nec's coil (μH) "
          "| cage: coil (μH) at N | cage, hub segments R / 2, N ",
          "| エレメント | 1本の線：セグメント数Nでのコイル（μH） | 最短セグメント長/半径 | "
          "tanshuku-necのコイル（μH） "
          "| かご形：Nでのコイル（μH） | ハブのセグメントをR/2にしたかご形、N = ");
  table += std::to_string(ThickElement::kHalfHubCageCount);
  table +=
      say(language,
          " | cage against the single wire's finest | in last changes | range holds the "
          "cages |\n",
          " | 1本の線の最も細かい分割との差 | 最後の変化を単位として | 範囲がかご形を含む |\n");
  table += "|---|---|---:|---|---|---:|---:|---:|---|\n";
  for (std::size_t i = 0; i < study.thickElements.size(); ++i) {
    const ThickElement::Comparison& c = study.thickElements[i];
    table += format("| %s | %s |",
                    say(language, kThickDesigns[i].description, kThickDesigns[i].descriptionJa),
                    coilSeries(c.singleCounts, c.singleUh).c_str());
    table += format(
        " %.2f | %s | %s | %.3f | %+.2f %% | %+.2f | %s |\n", c.finestSegmentToRadius,
        singleWireRange(c, language).c_str(), coilSeries(c.cageCounts, c.cageUh).c_str(),
        c.cageHalfHubUh, c.cageAgainstFinestPercent(), c.cageAgainstFinestInLastChanges(),
        c.rangeHoldsTheCages() ? say(language, "yes", "はい") : say(language, "no", "いいえ"));
  }
  return table;
}

std::string thickElementBareTable(const Study& study, Language language) {
  std::string table =
      say(language,
          "| element | single wire, N | feed-point impedance | cage, N | feed-point impedance "
          "| segments of the cage |\n",
          "| エレメント | 1本の線、N | 給電点インピーダンス | かご形、N | 給電点インピーダンス "
          "| かご形のセグメント数 |\n");
  table += "|---|---:|---:|---:|---:|---:|\n";
  for (std::size_t i = 0; i < study.thickElements.size(); ++i) {
    const ThickElement::Comparison& c = study.thickElements[i];
    table += format("| %s | %d | %s | %d | %s | %d |\n",
                    say(language, kThickDesigns[i].description, kThickDesigns[i].descriptionJa),
                    c.singleCounts.back(),
                    impedanceText(c.singleBareOhm.real(), c.singleBareOhm.imag(), "%.4g").c_str(),
                    c.cageCounts.back(),
                    impedanceText(c.cageBareOhm.real(), c.cageBareOhm.imag(), "%.4g").c_str(),
                    c.cageSegments);
  }
  return table;
}

std::string headlineTable(const Study& study, Language language) {
  std::string table = say(language, "| model | cases | largest error | median error | sign |\n",
                          "| モデル | 範囲 | 最大誤差 | 誤差の中央値 | 向き |\n");
  table += "|---|---|---:|---:|---|\n";
  for (const auto& points : study.feedPoints) {
    std::vector<double> errors, resistance;
    for (const FeedPointComparison& p : points) {
      errors.push_back(p.impedanceError());
      resistance.push_back(p.resistanceError());
    }
    table += format(say(language,
                        "| menu 3, feed-point impedance, size of the error "
                        "| L/D %g, 0.1 to 0.63 λ | %.0f %% | %.0f %% | |\n",
                        "| メニュー3、給電点インピーダンス（誤差の大きさ） "
                        "| L/D %g、0.1～0.63波長 | %.0f %% | %.0f %% | |\n"),
                    points.front().element.lengthToDiameter, percent(largest(errors)),
                    percent(median(errors)));
  }
  const char* tooLarge = say(language, "too large", "大きめ");
  const char* tooSmall = say(language, "too small", "小さめ");
  for (const auto& coils : study.baseCoils) {
    std::vector<double> errors;
    for (const CoilComparison& c : coils) {
      if (c.element.electricalLength <= 0.2 + 1e-9) errors.push_back(c.error());
    }
    table += format(say(language,
                        "| menu 1, base-loading coil | L/D %g, 0.03 to 0.2 λ | %.0f %% | %.0f %% "
                        "| %s |\n",
                        "| メニュー1、ベースローディングのコイル | L/D %g、0.03～0.2波長 "
                        "| %.0f %% | %.0f %% | %s |\n"),
                    coils.front().element.lengthToDiameter, percent(largest(magnitudes(errors))),
                    percent(median(magnitudes(errors))),
                    direction(errors, tooLarge, tooSmall, language));
  }
  for (std::size_t i = 0; i < study.centreCoils.size(); ++i) {
    std::vector<double> errors;
    for (const CoilComparison& c : study.centreCoils[i]) {
      if (c.element.electricalLength <= 0.2 + 1e-9) errors.push_back(c.error());
    }
    table += format(say(language,
                        "| menu 1, coil %s of the way up | L/D 1000, 0.03 to 0.2 λ | %.0f %% "
                        "| %.0f %% | %s |\n",
                        "| メニュー1、エレメントの%sの高さのコイル | L/D 1000、0.03～0.2波長 "
                        "| %.0f %% | %.0f %% | %s |\n"),
                    heightName(kCoilHeights[i], language).c_str(),
                    percent(largest(magnitudes(errors))), percent(median(magnitudes(errors))),
                    direction(errors, tooLarge, tooSmall, language));
  }
  for (const auto& points : study.efficiencies) {
    std::vector<double> errors;
    for (const EfficiencyComparison& e : points) errors.push_back(e.errorDecibels());
    Loading loading = points.front().loading;
    table += format(say(language,
                        "| menu 4, radiation efficiency, %s loading | 0.03 to 0.23 λ | %.2f dB "
                        "| %.2f dB | %s |\n",
                        "| メニュー4、放射効率、%sローディング | 0.03～0.23波長 | %.2f dB "
                        "| %.2f dB | %s |\n"),
                    say(language, loadingName(loading), loadingNameJa(loading)),
                    largest(magnitudes(errors)), median(magnitudes(errors)),
                    direction(errors, say(language, "too high", "高め"),
                              say(language, "too low", "低め"), language));
  }
  std::vector<double> errors;
  for (const DipoleComparison& d : study.dipoles) errors.push_back(d.error());
  table += format(say(language,
                      "| menu 5, dipole element length | λ / D 200 to 10⁶ | %.2f %% | %.2f %% "
                      "| %s |\n",
                      "| メニュー5、ダイポールのエレメントの長さ | λ/D 200～10⁶ | %.2f %% "
                      "| %.2f %% | %s |\n"),
                  percent(largest(magnitudes(errors))), percent(median(magnitudes(errors))),
                  direction(errors, say(language, "too long", "長め"),
                            say(language, "too short", "短め"), language));
  return table;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: antenna_accuracy_study DATA_FOLDER DECK_FOLDER PAGE...\n";
    return 2;
  }
  try {
    Study study = runStudy();
    writeData(study, argv[1]);
    writeDecks(argv[2]);
    bool filled = PageTables::fill({argv + 3, argv + argc}, [&](Language language) {
      return PageTables::Tables{{"antenna-headline", headlineTable(study, language)},
                                {"feed-impedance", feedImpedanceTable(study, language)},
                                {"feed-convergence", convergenceTable(study, language)},
                                {"other-convergence", otherConvergenceTable(study, language)},
                                {"loading-coil", coilTable(study, language)},
                                {"efficiency", efficiencyTable(study, language)},
                                {"dipole", dipoleTable(study, language)},
                                {"thick-element", thickElementTable(study, language)},
                                {"thick-element-bare", thickElementBareTable(study, language)}};
    });
    std::cerr << Nec2::runCount() << " NEC2 runs\n";
    return filled ? 0 : 1;
  } catch (const Nec2::SolverFailed& failure) {
    std::cerr << failure.what() << "; nec2c's last lines:\n" << failure.lastLines();
    return 1;
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
}
