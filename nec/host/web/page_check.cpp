// The check as the page's worker runs it: the design from the page's link,
// checked by nec2c in the worker (page_solver), with the cut where the link
// or an analyser's file measures the antenna as built; its texts handed to
// the worker's script part by part (page_library.js): the screen, the JSON,
// the files, the sweep (and the measured one), the page's notes; or the one
// line that refuses the link or the file, or says how the check failed, as
// tanshuku-nec says them.
#include <complex>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "nec/host/web/page_solver.hpp"
#include "nec/input/design_link.hpp"
#include "nec/input/value_messages.hpp"
#include "nec/measured/measured_cut.hpp"
#include "nec/measured/measured_file.hpp"
#include "nec/model/solver_failure.hpp"
#include "nec/model/structure_solver.hpp"
#include "nec/search/bandwidth.hpp"
#include "nec/search/helix_limits.hpp"
#include "nec/search/whole_check.hpp"
#include "nec/texts/check_lines.hpp"
#include "nec/texts/design_files.hpp"
#include "nec/texts/design_report.hpp"
#include "nec/texts/json_result.hpp"
#include "nec/texts/number_text.hpp"
#include "nec/texts/trim_report.hpp"

extern "C" {
// A part of the result, or the refusal or failure, by its name.
void nec_page_give(const char* name, const char* text);
// The progress line's step and words.
void nec_page_progress(int stage, int segments, double runs, const char* text);
// The whole check's time limit and the line that says it was reached: the
// worker's script cannot speak while nec2c runs, so the page keeps the time.
void nec_page_limit(double milliseconds, const char* line);
}

namespace {

using Messages::Language;

void give(const char* name, const std::string& text) { nec_page_give(name, text.c_str()); }

// A sweep as "MHz SWR" lines, the SWR on the model's matched resistance.
std::string swrLine(double frequencyMhz, std::complex<double> impedanceOhm, double matchedOhm) {
  return NumberText::shortest(frequencyMhz) + " " +
         NumberText::shortest(
             Bandwidth::swr(impedanceOhm.real(), impedanceOhm.imag(), matchedOhm)) +
         "\n";
}

std::string sweepLines(const DesignFiles::CheckedDesign& checked) {
  std::string lines;
  for (const Bandwidth::Point& point : DesignFiles::sweep(checked)) {
    lines += swrLine(point.frequencyMhz, {point.resistanceOhm, point.reactanceOhm},
                     DesignFiles::matchedOhm(checked));
  }
  return lines;
}

std::string measuredLines(const Touchstone::OnePort& measured, double matchedOhm) {
  std::string lines;
  for (const Touchstone::Point& point : measured.points) {
    lines += swrLine(point.frequencyHz / 1e6, point.impedance, matchedOhm);
  }
  return lines;
}

// The figures of the analyser's file the page was handed, where it was.
std::optional<MeasuredFigures::Figures> figuresOf(const std::optional<MeasuredFile::Taken>& file) {
  if (!file) return std::nullopt;
  return file->figures;
}

void giveResult(const Checked::Design& design, const WholeCheck::Outcome& outcome,
                const std::optional<MeasuredFile::Taken>& file,
                const std::optional<std::string>& fileName,
                const std::optional<MeasuredCut::Cut>& cut, Language language) {
  const DesignFiles::CheckedDesign checked{design, outcome};
  if (file) give("measured", measuredLines(file->measured, DesignFiles::matchedOhm(checked)));
  give("screen", DesignReport::text(design, outcome.figures, language) +
                     TrimReport::text(design, outcome.figures, cut, fileName, language));
  give("json",
       JsonResult::text(design, outcome.figures, TrimReport::jsonMembers(figuresOf(file), cut)));
  give("nec", DesignFiles::deck(checked));
  give("maa", DesignFiles::maa(checked, TANSHUKU_VERSION));
  if (const std::optional<std::string> csv = DesignFiles::sweepCsv(checked)) give("csv", *csv);
  give("sweep", sweepLines(checked));
  give("matchedOhm", NumberText::shortest(DesignFiles::matchedOhm(checked)));
  std::string notes;
  for (const std::string& note : DesignReport::pageNotes(outcome.figures, language)) {
    notes += note + "\n";
  }
  give("notes", notes);
}

void limitWholeCheck(Language language) {
  const Nec2::SolverFailed stopped(Nec2::SolverFailed::Cause::overTimeLimit,
                                   Nec2::wholeCheckLimitFailure(Nec2::kWholeCheckLimit), "");
  const std::optional<std::string> line =
      CheckLines::failure(std::make_exception_ptr(stopped), language);
  nec_page_limit(static_cast<double>(Nec2::kWholeCheckLimit.count()), line.value_or("").c_str());
}

void check(const char* link, Language language, double memoryBytes, std::string_view fileName,
           std::string_view fileText) {
  auto read = DesignLink::read(link);
  if (const auto* error = std::get_if<DesignValues::Error>(&read)) {
    return give("refused", DesignValues::describe(*error, language));
  }
  DesignValues::Values& values = std::get<DesignValues::Values>(read);
  std::optional<MeasuredFile::Taken> file;
  if (!fileName.empty()) {
    values.measuredFile = std::string(fileName);
    if (const std::optional<DesignValues::Error> error = DesignValues::checkValues(values)) {
      return give("refused", DesignValues::describe(*error, language));
    }
    auto taken = MeasuredFile::take(fileText, fileName, values.frequencyMhz, language);
    if (const auto* refusal = std::get_if<std::string>(&taken)) return give("refused", *refusal);
    file = std::get<MeasuredFile::Taken>(std::move(taken));
  }
  const Checked::Design design = DesignValues::designOf(values);
  limitWholeCheck(language);
  Nec2::PageSolver solver;
  const auto report = [language](const Progress::Step& step) {
    nec_page_progress(static_cast<int>(step.stage), step.segments,
                      static_cast<double>(step.runsSoFar),
                      CheckLines::progress(step, language).c_str());
  };
  std::optional<WholeCheck::Outcome> outcome;
  std::optional<MeasuredCut::Cut> cut;
  try {
    outcome = WholeCheck::run(design, solver, report, HelixLimits::mostSegmentsWithin(memoryBytes));
    cut = MeasuredCut::run(DesignValues::measurementOf(values), design, *outcome, figuresOf(file),
                           solver);
  } catch (...) {
    const std::optional<std::string> line = CheckLines::failure(std::current_exception(), language);
    if (!line) throw;
    return give("failed", *line);
  }
  giveResult(design, *outcome, file, values.measuredFile, cut, language);
}

}  // namespace

// memoryBytes: what nec2c may take of the device's memory, which caps the
// helix. fileName and fileText: an analyser's file of the antenna as
// built, chosen on the device; an empty name where none was.
extern "C" void nec_page_check(const char* link, int japanese, double memoryBytes,
                               const char* fileName, const char* fileText) {
  const Language language = japanese != 0 ? Language::japanese : Language::english;
  try {
    check(link, language, memoryBytes, fileName, fileText);
  } catch (const std::exception& error) {  // memory exhausted, or a fault of this program's
    give("failed", std::string("tanshuku-nec: ") + error.what());
  }
}
