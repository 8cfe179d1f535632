#include "nec/cli/questions.hpp"

#include <poll.h>

#include <deque>
#include <variant>

#include "utf8/line_editor.hpp"
#include "utf8/terminal_lines.hpp"

namespace Questions {
namespace {

using DesignValues::Question;
using Messages::Language;

// The first word of the line, as menu 1's reader takes it: bytes above
// 0x20 after any blanks and control bytes.
std::string_view firstWord(std::string_view line) {
  size_t start = 0;
  while (start < line.size() && static_cast<unsigned char>(line[start]) <= 0x20) ++start;
  size_t end = start;
  while (end < line.size() && static_cast<unsigned char>(line[end]) > 0x20) ++end;
  return line.substr(start, end - start);
}

// The user's terminal while the questions are asked.
class AnswerLines final : private TerminalLines::Client {
 public:
  AnswerLines() : terminal_(*this), editor_(terminal_.columns(), terminal_.echoes()) {}
  ~AnswerLines() {
    terminal_.showScreen();
    terminal_.giveBack();
  }
  AnswerLines(const AnswerLines&) = delete;
  AnswerLines& operator=(const AnswerLines&) = delete;

  void show(std::string_view text) { editor_.show(text); }
  // The next line typed, or how the typing ended.
  std::variant<std::string, Ending> nextLine();

 private:
  LineEditing::Editor& editor() override { return editor_; }
  void keys(std::string_view bytes) override { editor_.keys(bytes); }

  TerminalLines::Host terminal_;
  LineEditing::Editor editor_;
};

std::variant<std::string, Ending> AnswerLines::nextLine() {
  for (;;) {
    terminal_.showScreen();
    std::deque<LineEditing::HandedLine>& handed = editor_.handed();
    if (!handed.empty()) {
      LineEditing::HandedLine line = std::move(handed.front());
      handed.pop_front();
      if (line.kind == LineEditing::HandedLine::Kind::endOfInput) {
        return Ending{Ending::Kind::endOfInput};
      }
      return std::move(line.codePage932);
    }
    pollfd ready[] = {terminal_.keysToWaitFor(), terminal_.signalsToWaitFor()};
    const int wait = static_cast<int>(editor_.moreWait().count());
    const int count = poll(ready, 2, editor_.awaitsMore() ? wait : -1);
    if (count == 0) editor_.timeOut();
    if (count <= 0) continue;
    if (const int signal = terminal_.nextEndingSignal()) {
      editor_.interrupt(signal);
      return Ending{Ending::Kind::signal, signal};
    }
    if (ready[0].revents != 0 && !terminal_.takeKeys()) return Ending{Ending::Kind::endOfInput};
  }
}

}  // namespace

std::optional<Question> Dialogue::next() const {
  const std::vector<Question> open = DesignValues::openQuestions(values_);
  if (open.empty()) return std::nullopt;
  // Once answered N, the loading question gives way to the tip length.
  if (open.front() == Question::loading && tipAsked_) return Question::tip;
  return open.front();
}

Dialogue::Answer Dialogue::answer(Question question, std::string_view line) {
  const std::string_view word = firstWord(line);
  if (question == Question::loading) {
    // As menu 1: an answer that starts with N or n asks the tip length;
    // anything else, an empty line too, is base loading.
    const bool centre = !line.empty() && (line.front() == 'N' || line.front() == 'n');
    values_.base = !centre;
    tipAsked_ = centre;
    return Answer::taken;
  }
  if (word.empty()) return Answer::blank;
  const std::optional<double> number = DesignValues::readNumber(word);
  if (!number) return Answer::notANumber;
  switch (question) {
    case Question::diameter: values_.diameterMm = number; break;
    case Question::length: values_.lengthM = number; break;
    case Question::frequency: values_.frequencyMhz = number; break;
    case Question::tip: values_.tipM = number; break;
    case Question::loading: break;
  }
  return Answer::taken;
}

std::string_view prompt(Question question, Language language) {
  switch (question) {
    case Question::diameter:
      return Messages::pick(language,
                            "Element diameter (mm): ", "アンテナエレメントの直径（mm）: ");
    case Question::length:
      return Messages::pick(language, "Element length (m): ", "アンテナエレメントの長さ（m）: ");
    case Question::frequency:
      return Messages::pick(language, "Frequency (MHz): ", "周波数（MHz）: ");
    case Question::loading:
      return Messages::pick(language, "Base loading? (Y/N): ", "ベースローディングですか（Y/N）: ");
    case Question::tip:
      return Messages::pick(
          language, "Length from the tip (or a top hat's edge) to the coil (m): ",
          "先端（または容量冠のはじっこ）からローディングコイルまでの長さ（m）: ");
  }
  return "";
}

std::string_view notANumber(Language language) {
  return Messages::pick(language, "Not a number: type it as 7.05, .5 or 2.5E-2.\n",
                        "数値ではありません。7.05、.5、2.5E-2 のように入力してください。\n");
}

Ending askOnTerminal(DesignValues::Values& values, Language language) {
  AnswerLines terminal;
  Dialogue dialogue(values);
  while (const std::optional<Question> question = dialogue.next()) {
    terminal.show(prompt(*question, language));
    std::variant<std::string, Ending> line = terminal.nextLine();
    if (const Ending* ending = std::get_if<Ending>(&line)) return *ending;
    if (dialogue.answer(*question, std::get<std::string>(line)) == Dialogue::Answer::notANumber) {
      terminal.show(notANumber(language));
    }
  }
  return {Ending::Kind::answered};
}

}  // namespace Questions
