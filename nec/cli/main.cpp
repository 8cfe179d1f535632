// tanshuku-nec: menu 1's design put beside what NEC2 (nec2c) makes of it:
// the coil that really resonates the element, where menu 1's coil lands,
// the feed and the efficiency with the losses, the bandwidth, the coil as
// wound, and the files to go on with in NEC2 programs and MMANA-GAL.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "nec/cli/design_options.hpp"
#include "nec/cli/outputs.hpp"
#include "nec/cli/progress_line.hpp"
#include "nec/cli/questions.hpp"
#include "nec/design/design.hpp"
#include "nec/host/posix/file_output.hpp"
#include "nec/host/posix/solver.hpp"
#include "nec/host/posix/solver_process.hpp"
#include "nec/host/posix/swr_plot.hpp"
#include "nec/input/value_messages.hpp"
#include "nec/measured/measured_cut.hpp"
#include "nec/measured/measured_figures.hpp"
#include "nec/measured/measured_file.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/whole_check.hpp"
#include "nec/texts/check_lines.hpp"
#include "nec/texts/design_report.hpp"
#include "nec/texts/json_result.hpp"
#include "nec/texts/measured_report.hpp"
#include "nec/texts/messages.hpp"
#include "nec/texts/trim_report.hpp"

namespace {

using Messages::Language;
using Messages::pick;

constexpr int kOutputFailed = 1;
constexpr int kBadInput = 2;
constexpr int kToolMissing = 3;

// The usage in parts: the outputs' options and lines come from their table.
struct Usage {
  std::string_view synopsis;
  std::string_view designLines;
  std::string_view exitStatus;
};

constexpr Usage kUsageEnglish{
    "Usage: tanshuku-nec --frequency MHZ --length M --diameter MM (--base | --tip M)\n"
    "                    [--q Q] [--conductor copper|aluminium|perfect] [--ground-loss OHM]\n"
    "                    [--dipole] [--coil-radius MM --pitch MM --wire MM [--helix|--lumped]]\n"
    "                    [--measured MHZ | --measured-swr-minimum MHZ | --s1p FILE]\n"
    "                    [--measured-resistance OHM] [--turns N] [--trim turns|top]\n",
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
    "The antenna as built, measured at its feed, and the cut to the design's frequency:\n"
    "  --measured MHZ     where its reactance rises through zero\n"
    "  --measured-swr-minimum MHZ  where its SWR on 50 ohm is lowest, instead\n"
    "  --s1p FILE         an analyser's Touchstone file (alone: its resonances and SWR)\n"
    "  --measured-resistance OHM  the resistance there: the loss and the efficiency\n"
    "  --turns N          the turns wound (the check's turns)\n"
    "  --trim turns|top   change the turns (the default with the coil's measures) or\n"
    "                     the wire above the coil\n",
    "Missing design options are asked on a terminal. Exit status: 0, 1 where a file or\n"
    "standard output cannot be written, 2 for bad input, 3 where nec2c or gnuplot is\n"
    "missing or fails, or NEC2 finds no coil that resonates the element.\n"};

constexpr Usage kUsageJapanese{
    "使い方: tanshuku-nec --frequency MHZ --length M --diameter MM (--base | --tip M)\n"
    "                    [--q Q] [--conductor copper|aluminium|perfect] [--ground-loss OHM]\n"
    "                    [--dipole] [--coil-radius MM --pitch MM --wire MM [--helix|--lumped]]\n"
    "                    [--measured MHZ | --measured-swr-minimum MHZ | --s1p FILE]\n"
    "                    [--measured-resistance OHM] [--turns N] [--trim turns|top]\n",
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
    "作ったアンテナを給電点で測った値と、設計周波数に合わせる調整:\n"
    "  --measured MHZ     リアクタンスが負から正になる周波数\n"
    "  --measured-swr-minimum MHZ  代わりに、50 Ω での SWR が最小の周波数\n"
    "  --s1p FILE         アナライザーの Touchstone ファイル（単独では共振と SWR）\n"
    "  --measured-resistance OHM  そこでの抵抗: 損失と放射効率を求めます\n"
    "  --turns N          巻いた巻数（既定は確認で求めた巻数）\n"
    "  --trim turns|top   巻数を変える（コイルの寸法があるときの既定）か、\n"
    "                     コイルより先の線の長さを変える\n",
    "足りない設計値は端末では問い合わせます。終了ステータス: 0、ファイルや標準出力に\n"
    "書き込めないときは 1、入力の誤りは 2、nec2c や gnuplot がない・失敗したとき、\n"
    "NEC2 で共振させるコイルが見つからないときは 3。\n"};

// The options' column of the usage, before their descriptions.
constexpr std::size_t kOptionColumn = 21;

std::string usage(Language language) {
  const Usage& parts = language == Language::japanese ? kUsageJapanese : kUsageEnglish;
  std::string synopsis = "                   ";
  std::string lines;
  for (const Outputs::Output& output : Outputs::all()) {
    const std::string option = std::string(output.option) + (output.write ? " FILE" : "");
    synopsis += " [" + option + "]";
    std::string line = "  " + option;
    line.resize(kOptionColumn, ' ');
    lines += line + std::string(pick(language, output.helpEnglish, output.helpJapanese)) + "\n";
  }
  return std::string(parts.synopsis) + synopsis + "\n" + std::string(parts.designLines) + lines +
         std::string(parts.exitStatus);
}

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

// A file that could not be written, and why.
struct Unwritten {
  std::string file;
  FileOutput::Outcome outcome;
};

// Writes the files asked for in the outputs' order; returns the first that
// could not be written, or none.
std::optional<Unwritten> writeFiles(const DesignOptions::Options& options,
                                    const Outputs::CheckedDesign& checked) {
  for (const Outputs::Output& output : Outputs::all()) {
    const auto asked = options.files.find(output.option);
    if (asked == options.files.end() || !output.write) continue;
    if (const FileOutput::Outcome outcome = output.write(asked->second, checked); !outcome) {
      return Unwritten{asked->second, outcome};
    }
  }
  return std::nullopt;
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

// An analyser's file, read whole; the line that says why it cannot be.
std::variant<std::string, std::string> readWhole(const std::string& file, Language language) {
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  std::string text;
  if (stream != nullptr) {
    char block[65536];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, stream)) > 0) text.append(block, got);
    const bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (!failed) return std::variant<std::string, std::string>(std::in_place_index<0>, text);
  }
  return std::variant<std::string, std::string>(
      std::in_place_index<1>,
      "tanshuku-nec: " + file +
          std::string(pick(language, ": cannot be read: ", ": 読み込めません: ")) +
          std::strerror(errno));
}

struct CheckedAndCut {
  WholeCheck::Outcome checked;
  std::optional<MeasuredCut::Cut> cut;
};

// The checks through nec2c, limited as a whole, with a line on a terminal
// that says how far they have come; then the cut where a measurement is
// given and the element needs a coil.
CheckedAndCut runChecks(const Checked::Design& design, const DesignOptions::Options& options,
                        const std::optional<MeasuredFigures::Figures>& file, Language language) {
  Nec2::limitWholeCheck(Nec2::kWholeCheckLimit);
  // Cleared when the checks end, before anything else is written.
  const ProgressLine progress(language, isatty(STDERR_FILENO) != 0);
  Nec2::ProcessSolver solver;
  WholeCheck::Outcome checked = WholeCheck::run(design, solver, progress.report());
  const std::optional<MeasuredCut::Cut> cut =
      MeasuredCut::run(DesignValues::measurementOf(options), design, checked, file, solver);
  return {std::move(checked), cut};
}

int run(const std::vector<std::string_view>& arguments) {
  const Language language = Messages::userLanguage();
  std::variant<DesignOptions::Options, DesignValues::Error> parsed =
      DesignOptions::parse(arguments);
  if (const auto* error = std::get_if<DesignValues::Error>(&parsed))
    return refuse(*error, language);
  DesignOptions::Options& options = std::get<DesignOptions::Options>(parsed);
  if (options.help) return print(usage(language));
  if (options.version) return print("tanshuku-nec " TANSHUKU_VERSION "\n");
  std::string measuredText;
  if (options.measuredFile) {
    std::variant<std::string, std::string> read = readWhole(*options.measuredFile, language);
    if (read.index() == 1) return complain(std::get<1>(read), kBadInput);
    measuredText = std::get<0>(std::move(read));
  }
  if (DesignOptions::readsMeasurementOnly(options)) {
    auto taken = MeasuredFile::take(measuredText, *options.measuredFile, std::nullopt, language);
    if (const auto* refusal = std::get_if<std::string>(&taken))
      return complain(*refusal, kBadInput);
    const auto& [measured, figures] = std::get<MeasuredFile::Taken>(taken);
    return print(options.json
                     ? "{\"measured\":" + MeasuredReport::json(figures) + "}\n"
                     : MeasuredReport::text(measured, figures, options.frequencyMhz, language));
  }
  askWhatIsOpen(options, language);
  if (const auto error = DesignValues::checkValues(options)) return refuse(*error, language);
  if (const auto error = DesignOptions::checkFiles(options)) return refuse(*error, language);
  std::optional<MeasuredFigures::Figures> file;
  if (options.measuredFile) {
    auto taken =
        MeasuredFile::take(measuredText, *options.measuredFile, options.frequencyMhz, language);
    if (const auto* refusal = std::get_if<std::string>(&taken))
      return complain(*refusal, kBadInput);
    file = std::get<MeasuredFile::Taken>(taken).figures;
  }
  if (options.files.contains("--plot") && !SwrPlot::gnuplotInstalled()) {
    return complain(std::string(pick(language, "tanshuku-nec: gnuplot is missing for --plot: ",
                                     "tanshuku-nec: --plot には gnuplot が必要です: ")) +
                        "sudo apt-get install " + SwrPlot::kGnuplotPackage,
                    kToolMissing);
  }
  const Checked::Design design = DesignValues::designOf(options);
  CheckedAndCut results;
  try {
    results = runChecks(design, options, file, language);
  } catch (...) {
    const std::optional<std::string> line = CheckLines::failure(std::current_exception(), language);
    if (!line) throw;
    return complain(*line, kToolMissing);
  }
  if (const std::optional<Unwritten> unwritten = writeFiles(options, {design, results.checked})) {
    return cannotWrite(*unwritten, language);
  }
  const Results::Figures& figures = results.checked.figures;
  return print(
      options.json
          ? JsonResult::text(design, figures, TrimReport::jsonMembers(file, results.cut))
          : DesignReport::text(design, figures, language) +
                TrimReport::text(design, figures, results.cut, options.measuredFile, language));
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(std::vector<std::string_view>(argv + 1, argv + argc));
  } catch (const std::exception& error) {  // memory exhausted, or a file system's fault
    return complain(std::string("tanshuku-nec: ") + error.what(), 1);
  }
}
