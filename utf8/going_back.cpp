#include "utf8/going_back.hpp"

#include <algorithm>
#include <csignal>
#include <initializer_list>
#include <utility>

#include "contract/program_contract.hpp"
#include "utf8/conversion.hpp"

namespace GoingBack {

namespace {

constexpr std::string_view kOffer =
    "リターンキー（または y）で質問に戻ります。q とリターンで終了します　";
constexpr std::string_view kReplayDiffers =
    "tanshuku-utf8: 同じ答えを渡しても前と同じ画面にならないので、質問には戻れません。";

std::string inCodePage932(std::string_view utf8) {
  Conversion::Converter converter(Conversion::Direction::toCodePage932);
  std::string converted;
  converter.convert(utf8, converted);
  return converted;
}

bool isBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

Step stepOf(Step::Kind kind) {
  Step step;
  step.kind = kind;
  return step;
}

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Runs::Runs(int columns, bool echo)
    : editor_(columns, echo), menuLine_(inCodePage932(ProgramContract::kMenuLastLine)) {}

void Runs::keys(std::string_view bytes) {
  newsSinceAsked_ = true;
  editor_.keys(bytes);
  takeDecisions();
}

// Output of a run started again is checked against the first run's up to
// where the question starts, and shown from there on.
void Runs::programOutput(std::string_view bytes) {
  newsSinceAsked_ = true;
  outputSinceAsked_ = true;
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

void Runs::programReads() {
  if (state_ == State::running) programReads_ = true;
}

// A run that a signal ended ends the dialogue by it, whether or not its
// answers were being handed on again.
void Runs::programEnded(Child::Ending ending) {
  newsSinceAsked_ = true;
  programReads_ = false;
  signalToSend_ = 0;
  editor_.programEnded();
  if (state_ != State::running) return;  // the replay was refused
  ending_ = ending;
  if (ending.signal == 0 && (replaying() || run_.output.size() < shownFrom_)) {
    refuseReplay();
    return;
  }
  if (!mayGoBack()) {
    state_ = State::finished;
    return;
  }
  offerToGoBack();
}

// The run under way gets the signal (a signal key's name shown as a
// terminal shows it); while none is, the signal ends the dialogue.
void Runs::signal(int signal) {
  newsSinceAsked_ = true;
  if (state_ == State::finished) return;
  if (state_ == State::running) {
    if (signal == SIGINT || signal == SIGQUIT) editor_.interrupt(signal);
    signalToSend_ = signal;
    return;
  }
  editor_.interrupt(signal);
  ending_ = Child::Ending{0, signal};
  state_ = State::finished;
}

Step Runs::next(Time now) {
  keepDeadlines(now);
  switch (state_) {
    case State::starting: return startRun(now);
    case State::finished: {
      Step end = stepOf(Step::Kind::end);
      end.ending = ending_;
      return end;
    }
    case State::running:
      if (signalToSend_ != 0) {
        Step signal = stepOf(Step::Kind::signalRun);
        signal.signal = std::exchange(signalToSend_, 0);
        return signal;
      }
      if (programReads_ && lineIsDue()) {
        programReads_ = false;
        Step line = stepOf(Step::Kind::handOnLine);
        line.line = handOn();
        return line;
      }
      break;
    case State::offering: break;
  }
  return waitStep();
}

// A run started again that stays quiet too long before it has shown all
// that the first run had ends the replay as a difference; the rest of a key
// that does not come in time is given up.
void Runs::keepDeadlines(Time now) {
  if (outputSinceAsked_) replayDeadline_ = now + kReplayWait;
  if (state_ == State::running && replaying() && now >= replayDeadline_) refuseReplay();
  if (newsSinceAsked_ || !editor_.awaitsMore()) keyDeadline_.reset();
  if (keyDeadline_ && now >= *keyDeadline_) {
    keyDeadline_.reset();
    editor_.timeOut();
    takeDecisions();
  }
  if (editor_.awaitsMore() && !keyDeadline_) keyDeadline_ = now + editor_.moreWait();
  newsSinceAsked_ = false;
  outputSinceAsked_ = false;
}

Step Runs::startRun(Time now) {
  state_ = State::running;
  programReads_ = false;
  signalToSend_ = 0;
  replayDeadline_ = now + kReplayWait;
  if (!replaying()) offerNextAnswer();
  return stepOf(Step::Kind::startRun);
}

Step Runs::waitStep() const {
  Step step = stepOf(Step::Kind::wait);
  step.until = keyDeadline_;
  if (state_ != State::running) return step;
  if (replaying()) step.until = std::min(step.until.value_or(replayDeadline_), replayDeadline_);
  step.lineWaits = lineIsDue();
  return step;
}

// During a replay, the next answer of the run gone back from, once the
// program has written what it had written before it; else the next line
// typed.
bool Runs::lineIsDue() const {
  if (replaying()) return run_.output.size() >= before_.answers[replayed_].outputBefore;
  return !editor_.handed().empty();
}

LineEditing::HandedLine Runs::handOn() {
  if (replaying()) {
    const Answer& answer = before_.answers[replayed_];
    ++replayed_;
    run_.answers.push_back({run_.output.size(), answer.handed});
    if (!replaying()) offerNextAnswer();
    return answer.handed;
  }
  auto& handed = editor_.handed();
  run_.answers.push_back({run_.output.size(), std::move(handed.front())});
  handed.pop_front();
  offerNextAnswer();
  return run_.answers.back().handed;
}

void Runs::takeDecisions() {
  auto& handed = editor_.handed();
  while (state_ == State::offering && !handed.empty()) {
    const LineEditing::HandedLine line = std::move(handed.front());
    handed.pop_front();
    takeDecision(line);
  }
}

// Only a run that a typed line ended (not Ctrl-D, not a signal) with an
// error that an answer causes.
bool Runs::mayGoBack() const {
  return ending_.signal == 0 && ProgramContract::answerError(ending_.code) != nullptr &&
         !run_.answers.empty() &&
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
  const ProgramContract::Explanation* explanation = ProgramContract::answerError(ending_.code);
  for (std::string_view line : {explanation->what, explanation->frontEndAdvice()}) {
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
  const size_t question =
      ending_.code == ProgramContract::invalidNumber ? last : firstAnswerOfTheCalculation();
  toOffer_.clear();
  for (size_t i = last + 1; i-- > question;) toOffer_.push_back(run_.answers[i].handed.typed);
  endingBefore_ = ending_;
  before_ = std::move(run_);
  run_ = {};
  replayCount_ = question;
  replayed_ = 0;
  shownFrom_ = question > 0 ? before_.answers[question - 1].outputBefore : 0;
  editor_.handed().clear();
  state_ = State::starting;
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
