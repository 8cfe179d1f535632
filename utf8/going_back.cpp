#include "utf8/going_back.hpp"

#include <algorithm>

#include "console/error_explanations.hpp"
#include "shell/menu_text.hpp"
#include "utf8/conversion.hpp"

namespace GoingBack {

namespace {

constexpr std::string_view kOffer =
    "リターンキー（または y）で質問に戻ります。q とリターンで終了します　";
constexpr std::string_view kReplayDiffers =
    "tanshuku-utf8: 同じ答えを渡しても前と同じ画面にならないので、質問には戻れません。";

// The errors that a typed answer causes and that going back can mend.
bool answerCanCause(int code) { return ErrorExplanations::find(code) != nullptr; }

std::string inCodePage932(std::string_view utf8) {
  Conversion::Converter converter(Conversion::Direction::toCodePage932);
  std::string converted;
  converter.convert(utf8, converted);
  return converted;
}

bool isBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Runs::Runs(int columns, bool echo)
    : editor_(columns, echo), menuLine_(inCodePage932(MenuText::kLastLine)) {}

void Runs::keys(std::string_view bytes) {
  editor_.keys(bytes);
  auto& handed = editor_.handed();
  while (state_ == State::offering && !handed.empty()) {
    const LineEditing::HandedLine line = std::move(handed.front());
    handed.pop_front();
    takeDecision(line);
  }
}

// Output of a run started again is checked against the first run's up to
// where the question starts, and shown from there on.
void Runs::programOutput(std::string_view bytes) {
  const size_t start = run_.output.size();
  run_.output.append(bytes);
  if (state_ != State::running) return;
  if (start < shownFrom_) {
    const size_t checkedEnd = std::min(run_.output.size(), shownFrom_);
    const std::string_view checked =
        std::string_view(run_.output).substr(start, checkedEnd - start);
    if (std::string_view(before_.output).substr(start, checked.size()) != checked) {
      refuseReplay();
      return;
    }
    bytes.remove_prefix(checkedEnd - start);
  }
  editor_.programOutput(bytes);
}

std::optional<LineEditing::HandedLine> Runs::nextLine() {
  if (state_ != State::running) return std::nullopt;
  if (replaying()) {
    const Answer& answer = before_.answers[replayed_];
    if (run_.output.size() < answer.outputBefore) return std::nullopt;
    ++replayed_;
    run_.answers.push_back({run_.output.size(), answer.handed});
    if (!replaying()) offerNextAnswer();
    return answer.handed;
  }
  auto& handed = editor_.handed();
  if (handed.empty()) return std::nullopt;
  run_.answers.push_back({run_.output.size(), std::move(handed.front())});
  handed.pop_front();
  offerNextAnswer();
  return run_.answers.back().handed;
}

void Runs::programEnded(Child::Ending ending) {
  editor_.programEnded();
  if (state_ != State::running) return;  // the replay was refused
  ending_ = ending;
  if (replaying() || run_.output.size() < shownFrom_) {
    refuseReplay();
    return;
  }
  if (!mayGoBack()) {
    state_ = State::finished;
    return;
  }
  offerToGoBack();
}

void Runs::programStarted() {
  state_ = State::running;
  if (!replaying()) offerNextAnswer();
}

void Runs::replayStalled() {
  if (state_ == State::running && replaying()) refuseReplay();
}

// Only a run that a typed line ended (not Ctrl-D, not a signal) with an
// error that an answer causes.
bool Runs::mayGoBack() const {
  return ending_.signal == 0 && answerCanCause(ending_.code) && !run_.answers.empty() &&
         run_.answers.back().handed.kind == LineEditing::HandedLine::Kind::line;
}

// The answer after the one given at the last menu shown (blank lines before
// it are skipped, as the menu skips them): a calculation's fault often
// shows answers after the value that caused it.
size_t Runs::firstAnswerOfTheCalculation() const {
  const size_t last = run_.answers.size() - 1;
  const size_t menu = run_.output.rfind(menuLine_);
  if (menu == std::string::npos) return 0;
  const size_t menuEnd = menu + menuLine_.size();
  for (size_t i = 0; i < last; ++i) {
    const Answer& answer = run_.answers[i];
    if (answer.outputBefore >= menuEnd && !isBlank(answer.handed.codePage932)) return i + 1;
  }
  return last;
}

void Runs::offerToGoBack() {
  const ErrorExplanations::Explanation* explanation = ErrorExplanations::find(ending_.code);
  for (std::string_view line : explanation->lines) {
    editor_.show(line);
    editor_.show("\r\n");
  }
  editor_.show(kOffer);
  state_ = State::offering;
}

void Runs::takeDecision(const LineEditing::HandedLine& line) {
  const std::string_view answer = trimmed(line.codePage932);
  if (line.kind == LineEditing::HandedLine::Kind::endOfInput || answer == "q" || answer == "Q") {
    state_ = State::finished;
  } else if (answer.empty() || answer == "y" || answer == "Y") {
    goBack();
  } else {
    editor_.show(kOffer);
  }
}

// To the question whose answer could not be read, with that answer; after a
// fault in a calculation, to its first question, with each of its answers.
void Runs::goBack() {
  const size_t last = run_.answers.size() - 1;
  const size_t question = ending_.code == 106 ? last : firstAnswerOfTheCalculation();
  toOffer_.clear();
  for (size_t i = last + 1; i-- > question;) toOffer_.push_back(run_.answers[i].handed.typed);
  endingBefore_ = ending_;
  before_ = std::move(run_);
  run_ = {};
  replayCount_ = question;
  replayed_ = 0;
  shownFrom_ = question > 0 ? before_.answers[question - 1].outputBefore : 0;
  editor_.handed().clear();
  state_ = State::startAgain;
}

void Runs::refuseReplay() {
  editor_.show("\r\n");
  editor_.show(kReplayDiffers);
  editor_.show("\r\n");
  ending_ = endingBefore_;
  replayCount_ = replayed_ = 0;
  state_ = State::finished;
}

void Runs::offerNextAnswer() {
  if (toOffer_.empty()) return;
  editor_.offer(toOffer_.back());
  toOffer_.pop_back();
}

}  // namespace GoingBack
