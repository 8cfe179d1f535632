#include "nec/texts/check_lines.hpp"

#include "nec/model/solver_failure.hpp"
#include "nec/search/solver_check.hpp"

namespace CheckLines {
namespace {

using Messages::Language;
using Messages::pick;
using Progress::Stage;

std::string stageText(const Progress::Step& step, Language language) {
  const std::string segments = std::to_string(step.segments);
  const bool english = language == Language::english;
  switch (step.stage) {
    case Stage::segmentSeries: return segments + (english ? " segments" : " セグメント");
    case Stage::dipole:
      return english ? "the dipole, " + segments + " segments"
                     : "ダイポール、" + segments + " セグメント";
    case Stage::sweeps:
      return english ? "sweeps at " + segments + " segments" : "掃引、" + segments + " セグメント";
    case Stage::helix:
      return english ? "the coil as wound, a helix of " + segments + " segments"
                     : "巻いたコイル、" + segments + " セグメントのヘリックス";
  }
  return {};
}

// nec2c failing or over its time limit: what it last said.
std::string solverFailed(const Nec2::SolverFailed& failed, Language language) {
  std::string line = std::string("tanshuku-nec: ") + failed.what();
  if (!failed.lastLines().empty()) {
    line += std::string(pick(language, "\nnec2c's last lines:\n", "\nnec2c の最後の出力:\n")) +
            failed.lastLines();
  }
  return line;
}

}  // namespace

std::string progress(const Progress::Step& step, Language language) {
  const std::string done = std::to_string(step.runsSoFar);
  const std::string runs = language == Language::english ? ", nec2c runs so far: " + done
                                                         : "、nec2c の実行 " + done + " 回済み";
  return "tanshuku-nec: " + stageText(step, language) + runs;
}

std::optional<std::string> failure(const std::exception_ptr& thrown, Language language) {
  try {
    std::rethrow_exception(thrown);
  } catch (const Nec2::SolverMissing&) {
    return std::string(pick(language, "tanshuku-nec: nec2c is missing: ",
                            "tanshuku-nec: nec2c がありません: ")) +
           "sudo apt-get install nec2c";
  } catch (const Nec2::SolverFailed& failed) {
    return solverFailed(failed, language);
  } catch (const SolverCheck::NoResonance&) {
    return std::string(pick(language, "tanshuku-nec: NEC2 finds no coil that resonates the element",
                            "tanshuku-nec: NEC2 ではこのエレメントを共振させるコイルが"
                            "見つかりません"));
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace CheckLines
