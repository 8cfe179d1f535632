// tanshuku-nec: menu 1's design put beside what NEC2 (nec2c) makes of it:
// the coil that really resonates the element, where menu 1's coil lands,
// the feed and the efficiency with the losses, the bandwidth, the coil as
// wound, and the files to go on with in NEC2 programs and MMANA-GAL.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "nec/cli/design_options.hpp"
#include "nec/cli/progress_line.hpp"
#include "nec/cli/questions.hpp"
#include "nec/design/design.hpp"
#include "nec/design/menu_one_coil.hpp"
#include "nec/host/posix/file_output.hpp"
#include "nec/host/posix/solver.hpp"
#include "nec/host/posix/solver_process.hpp"
#include "nec/host/posix/swr_plot.hpp"
#include "nec/input/value_messages.hpp"
#include "nec/model/solver_failure.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/helix_check.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/solver_check.hpp"
#include "nec/search/solver_figures.hpp"
#include "nec/search/whole_check.hpp"
#include "nec/texts/design_report.hpp"
#include "nec/texts/json_result.hpp"
#include "nec/texts/maa_file.hpp"
#include "nec/texts/messages.hpp"
#include "nec/texts/number_text.hpp"
#include "nec/texts/sweep_csv.hpp"
#include "nec/texts/written_decks.hpp"

namespace {

using Messages::Language;
using Messages::pick;

constexpr int kOutputFailed = 1;
constexpr int kBadInput = 2;
constexpr int kToolMissing = 3;

constexpr std::string_view kUsageEnglish =
    "Usage: tanshuku-nec --frequency MHZ --length M --diameter MM (--base | --tip M)\n"
    "                    [--q Q] [--conductor copper|aluminium|perfect] [--ground-loss OHM]\n"
    "                    [--dipole] [--coil-radius MM --pitch MM --wire MM [--helix|--lumped]]\n"
    "                    [--nec FILE] [--maa FILE] [--sweep FILE] [--plot FILE] [--json]\n"
    "Checks menu 1's loading coil for a shortened element with NEC2 (nec2c).\n"
    "  --frequency MHZ    the design frequency in MHz\n"
    "  --length M         the element's length in metres (each half of a dipole)\n"
    "  --diameter MM      the element's diameter in millimetres\n"
    "  --base | --tip M   the coil at the base, or M metres below the tip\n"
    "  --q Q              the coil's Q (200)\n"
    "  --conductor        copper (5.8E7 S/m, the default), aluminium (3.5E7 S/m), perfect\n"
    "  --ground-loss OHM  a whip's ground loss in ohms, in series at the feed (0)\n"
    "  --dipole           the element is one half of a centre-fed dipole\n"
    "  --coil-radius, --pitch, --wire  menu 2's measures in mm (radius to the wire's\n"
    "                     centre): the turns to wind, the coil modelled as wound\n"
    "  --helix            the coil as wound even when large (up to 4,000 segments)\n"
    "  --lumped           the lumped coil only, with menu 2's turns for it\n"
    "  --nec, --maa, --sweep, --plot  write the NEC2 deck, the MMANA-GAL model, the\n"
    "                     sweep as CSV, the SWR plot (SVG, or PNG for a .png name)\n"
    "  --json             the results as one JSON object\n"
    "Missing design options are asked on a terminal. Exit status: 0, 1 where a file or\n"
    "standard output cannot be written, 2 for bad input, 3 where nec2c or gnuplot is\n"
    "missing or fails, or NEC2 finds no coil that resonates the element.\n";

constexpr std::string_view kUsageJapanese =
    "使い方: tanshuku-nec --frequency MHZ --length M --diameter MM (--base | --tip M)\n"
    "                    [--q Q] [--conductor copper|aluminium|perfect] [--ground-loss OHM]\n"
    "                    [--dipole] [--coil-radius MM --pitch MM --wire MM [--helix|--lumped]]\n"
    "                    [--nec FILE] [--maa FILE] [--sweep FILE] [--plot FILE] [--json]\n"
    "短縮エレメントのメニュー1のローディングコイルを NEC2（nec2c）で確かめます。\n"
    "  --frequency MHZ    設計周波数（MHz）\n"
    "  --length M         エレメントの長さ（m、ダイポールでは片側）\n"
    "  --diameter MM      エレメントの直径（mm）\n"
    "  --base | --tip M   コイルは基部、または先端から M メートル\n"
    "  --q Q              コイルの Q（200）\n"
    "  --conductor        copper（5.8E7 S/m、既定）、aluminium（3.5E7 S/m）、perfect\n"
    "  --ground-loss OHM  ホイップの接地損失（Ω、給電点に直列、0）\n"
    "  --dipole           エレメントはセンター給電ダイポールの片側\n"
    "  --coil-radius, --pitch, --wire  メニュー2の寸法（mm、半径は線の中心まで）:\n"
    "                     巻くコイルの巻数を、巻いたとおりにモデル化して求めます\n"
    "  --helix            大きなコイルも巻いたとおりにモデル化（4,000 セグメントまで）\n"
    "  --lumped           集中定数のコイルだけで解き、巻数はメニュー2の式によります\n"
    "  --nec, --maa, --sweep, --plot  NEC2 のデッキ、MMANA-GAL のモデル、掃引の CSV、\n"
    "                     SWR のグラフ（SVG、名前が .png なら PNG）を書き出します\n"
    "  --json             結果を一つの JSON オブジェクトで出力します\n"
    "足りない設計値は端末では問い合わせます。終了ステータス: 0、ファイルや標準出力に\n"
    "書き込めないときは 1、入力の誤りは 2、nec2c や gnuplot がない・失敗したとき、\n"
    "NEC2 で共振させるコイルが見つからないときは 3。\n";

int print(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0
             ? 0
             : 1;
}

int complain(const std::string& line, int status) {
  std::fprintf(stderr, "%s\n", line.c_str());
  return status;
}

int refuse(const DesignValues::Error& error, Language language) {
  return complain(DesignValues::describe(error, language), kBadInput);
}

MaaFile::Material materialOf(Nec2::Conductor conductor) {
  switch (conductor) {
    case Nec2::Conductor::copper: return MaaFile::Material::copper;
    case Nec2::Conductor::aluminium: return MaaFile::Material::aluminium;
    case Nec2::Conductor::perfect: return MaaFile::Material::lossless;
  }
  return MaaFile::Material::lossless;
}

// The model with the coil that the figures know: NEC2's once it has run,
// menu 1's until then, as its comment says.
FileOutput::Outcome writeMaa(const DesignOptions::Options& o, const Checked::Design& d,
                             const Results::Figures& f, const SolverCheck::Check& check,
                             const std::optional<HelixCheck::WoundCoil>& wound) {
  const bool resonated = f.necInductanceUh.has_value();
  // Menu 1's coil as its screen shows it, to 4 decimals.
  const double inductanceUh =
      resonated ? *f.necInductanceUh : MenuOneCoil::shownUh(*f.menu1InductanceUh);
  const std::string comment =
      std::string(resonated ? "Coil resonated by NEC2"
                            : "Coil from menu 1's formula, not resonated by NEC2") +
      " (" + NumberText::shortest(inductanceUh) + " uH), coil Q " + NumberText::shortest(d.q) +
      ". Written by tanshuku-nec " TANSHUKU_VERSION ".";
  MaaFile::Design design{d.frequencyMhz,          d.lengthM,    d.diameterMm / 2000.0,
                         d.loading.tipM(),        inductanceUh, d.q,
                         materialOf(d.conductor), d.dipole,     comment};
  if (wound) {
    const Nec2::Straightened model =
        Nec2::straightened(Nec2::structureOf(HelixCheck::elementOf(check, *wound, d)));
    design.woundWires = model.wires;
    design.feedWire = model.feedWire;
    design.comment = "The coil wound as a helix of " + NumberText::shortest(*f.helixTurns) +
                     " turns, resonated by NEC2, written as its straight segments. Written by "
                     "tanshuku-nec " TANSHUKU_VERSION ".";
  }
  return FileOutput::writeWhole(o.maaFile, MaaFile::text(design));
}

// A file that could not be written, and why.
struct Unwritten {
  std::string file;
  FileOutput::Outcome outcome;
};

// Writes the file where its option names one: none, or the file and why it
// could not be written.
std::optional<Unwritten> written(const std::string& file,
                                 const std::function<FileOutput::Outcome()>& write) {
  if (file.empty()) return std::nullopt;
  if (const FileOutput::Outcome outcome = write(); !outcome) return Unwritten{file, outcome};
  return std::nullopt;
}

// The files the solver's results make: the deck of the resonated design,
// the sweep and its SWR curve. Returns the file that could not be written,
// or none.
std::optional<Unwritten> writeSolverFiles(const DesignOptions::Options& o, const Checked::Design& d,
                                          const SolverCheck::Check& check,
                                          const std::optional<HelixCheck::WoundCoil>& wound,
                                          const Results::Figures& f) {
  const std::string deck = wound ? WrittenDecks::wound(check, *wound, d)
                                 : WrittenDecks::lumped(check, d, f.necInductanceUh);
  if (auto failed = written(o.necFile, [&] { return FileOutput::writeWhole(o.necFile, deck); })) {
    return failed;
  }
  if (!check.results) return std::nullopt;
  const std::vector<Bandwidth::Point> sweep = SolverFigures::feedSweep(check.results->sweep, d);
  const double matchedOhm = f.feedResistanceOhm.value_or(Bandwidth::kCableOhm);
  if (auto failed = written(o.sweepFile, [&] {
        return FileOutput::writeWhole(o.sweepFile, SweepCsv::text(sweep, matchedOhm));
      })) {
    return failed;
  }
  return written(o.plotFile, [&] { return SwrPlot::write(o.plotFile, sweep, matchedOhm); });
}

// A file that failed after the checks: the system's reason, status 1 as
// for standard output; gnuplot failing is a tool's failure.
int cannotWrite(const Unwritten& unwritten, Language language) {
  if (unwritten.outcome.error == FileOutput::kNotFilled) {
    return complain("tanshuku-nec: " + unwritten.file +
                        std::string(pick(language, ": gnuplot failed to draw it",
                                         ": gnuplot がグラフを描けませんでした")),
                    kToolMissing);
  }
  return complain("tanshuku-nec: " + unwritten.file +
                      std::string(pick(language, ": cannot be written: ", ": 書き込めません: ")) +
                      FileOutput::reason(unwritten.outcome),
                  kOutputFailed);
}

// nec2c failing or over its time limit: what it last said.
int solverTrouble(const std::exception& trouble, const std::string& lastLines, Language language) {
  std::string line = std::string("tanshuku-nec: ") + trouble.what();
  if (!lastLines.empty()) {
    line += std::string(pick(language, "\nnec2c's last lines:\n", "\nnec2c の最後の出力:\n")) +
            lastLines;
  }
  return complain(line, kToolMissing);
}

// Asks what the options leave open where both ends are the user's
// terminal; a signal that ended the questions ends the program the same way.
void askWhatIsOpen(DesignOptions::Options& options, Language language) {
  if (DesignValues::openQuestions(options).empty()) return;
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return;
  const Questions::Ending ending = Questions::askOnTerminal(options, language);
  if (ending.kind == Questions::Ending::Kind::signal) {
    std::signal(ending.signal, SIG_DFL);
    raise(ending.signal);
  }
}

// The whole check, every nec2c run together, ends at this limit: well past
// the largest helix --helix allows on a 2-core machine.
constexpr std::chrono::minutes kWholeCheckLimit{30};

// The checks through nec2c, limited as a whole, with a line on a terminal
// that says how far they have come.
WholeCheck::Outcome runChecks(const Checked::Design& design, Language language) {
  Nec2::limitWholeCheck(kWholeCheckLimit);
  // Cleared when the checks end, before anything else is written.
  const ProgressLine progress(language, isatty(STDERR_FILENO) != 0);
  Nec2::ProcessSolver solver;
  return WholeCheck::run(design, solver, progress.report());
}

int run(const std::vector<std::string_view>& arguments) {
  const Language language = Messages::userLanguage();
  std::variant<DesignOptions::Options, DesignValues::Error> parsed =
      DesignOptions::parse(arguments);
  if (const auto* error = std::get_if<DesignValues::Error>(&parsed))
    return refuse(*error, language);
  DesignOptions::Options& options = std::get<DesignOptions::Options>(parsed);
  if (options.help) return print(pick(language, kUsageEnglish, kUsageJapanese));
  if (options.version) return print("tanshuku-nec " TANSHUKU_VERSION "\n");
  askWhatIsOpen(options, language);
  if (const auto error = DesignValues::checkValues(options)) return refuse(*error, language);
  if (const auto error = DesignOptions::checkFiles(options)) return refuse(*error, language);
  if (!options.plotFile.empty() && !SwrPlot::gnuplotInstalled()) {
    return complain(std::string(pick(language, "tanshuku-nec: gnuplot is missing for --plot: ",
                                     "tanshuku-nec: --plot には gnuplot が必要です: ")) +
                        "sudo apt-get install " + SwrPlot::kGnuplotPackage,
                    kToolMissing);
  }
  const Checked::Design design = DesignValues::designOf(options);
  WholeCheck::Outcome checked;
  try {
    checked = runChecks(design, language);
  } catch (const Nec2::SolverMissing& missing) {
    return complain(std::string(pick(language, "tanshuku-nec: nec2c is missing: ",
                                     "tanshuku-nec: nec2c がありません: ")) +
                        "sudo apt-get install nec2c",
                    kToolMissing);
  } catch (const Nec2::SolverFailed& failed) {
    return solverTrouble(failed, failed.lastLines(), language);
  } catch (const SolverCheck::NoResonance&) {
    return complain(
        std::string(pick(language, "tanshuku-nec: NEC2 finds no coil that resonates the element",
                         "tanshuku-nec: NEC2 ではこのエレメントを共振させるコイルが"
                         "見つかりません")),
        kToolMissing);
  }
  const SolverCheck::Check& check = checked.check;
  const std::optional<HelixCheck::WoundCoil>& wound = checked.wound;
  const Results::Figures& figures = checked.figures;
  if (auto failed = written(options.maaFile,
                            [&] { return writeMaa(options, design, figures, check, wound); })) {
    return cannotWrite(*failed, language);
  }
  if (const std::optional<Unwritten> unwritten =
          writeSolverFiles(options, design, check, wound, figures)) {
    return cannotWrite(*unwritten, language);
  }
  return print(options.json ? JsonResult::text(design, figures)
                            : DesignReport::text(design, figures, language));
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(std::vector<std::string_view>(argv + 1, argv + argc));
  } catch (const std::exception& error) {  // memory exhausted, or a file system's fault
    return complain(std::string("tanshuku-nec: ") + error.what(), 1);
  }
}
