// The front end's line editor on its own: the program's output and the
// user's keys in, the bytes that draw the screen and the lines for the
// program out; and the going-back dialogue around it.
#include "utf8/line_editor.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "contract/program_contract.hpp"
#include "test_support/transcript.hpp"
#include "utf8/going_back.hpp"

namespace {

using LineEditing::Editor;

// What happens, in turn: the program writes (UTF-8 here, code page 932 for
// the editor), the user types, the rest of a key fails to come, or the
// window takes a new width.
struct Event {
  enum class Kind { output, keys, timeOut, resize } kind;
  std::string bytes;
  int columns = 0;
};

Event output(const std::string& text) { return {Event::Kind::output, text}; }
Event keys(const std::string& bytes) { return {Event::Kind::keys, bytes}; }
const Event kTimeOut{Event::Kind::timeOut, ""};
Event resize(int columns) { return {Event::Kind::resize, "", columns}; }

struct Case {
  const char* name;
  int columns;
  std::vector<Event> events;
  std::string drawn;  // what the editor drew, the output included
  // The lines handed on: a line with its LF, a line handed on without one,
  // "<end>" for the end of the input; "<cut>" after a line cut short.
  std::string handed;
};

const Case kCases[] = {
    {"TypedAtTheEndIsEchoedAsTyped", 80, {output("Q? "), keys("7.05\r")}, "Q? 7.05\r\n", "7.05\n"},
    {"BackspaceErasesAFullWidthCharacterWhole",
     80,
     {output("Q? "), keys("７．０５\x7f\x7f\x7f\x7f"
                          "7.05\r")},
     "Q? ７．０５\x1b[2D\x1b[J\x1b[2D\x1b[J\x1b[2D\x1b[J\x1b[2D\x1b[J"
     "7.05\r\n",
     "7.05\n"},
    {"FullWidthAnswersAreFoldedOnTheScreenAsTyped",
     80,
     {keys("７．０５\r－１Ｅ＋２\rＮ\rｙ\r１。５　ー\r")},
     "７．０５\r\n－１Ｅ＋２\r\nＮ\r\nｙ\r\n１。５　ー\r\n",
     "7.05\n-1E+2\nN\ny\n1.5 -\n"},
    {"OtherFullWidthCharactersStay",
     80,
     {keys("＄１０％\r")},
     "＄１０％\r\n",
     "\x81\x90"
     "1"
     "0\x81\x93\n"},
    {"ALineWiderThanTheWindowWrapsAndIsErasedBack",
     10,
     {output("123456"), keys("abcdef\x7f\x7f\x7f")},
     "123456abcd\r\nef\x1b[1D\x1b[J\x1b[1D\x1b[J\x1b[1A\x1b[9C\x1b[J",
     ""},
    {"AResizeDrawsTheLineAgain",
     10,
     {output("12345"), keys("abcdefg"), resize(20)},
     "12345abcde\r\nfg\x1b[1A\x1b[3C\x1b[Jabcdefg",
     ""},
    {"AFullWidthCharacterThatDoesNotFitStartsTheNextRow",
     10,
     {output("123456789"), keys("中\r")},
     "123456789\r\n中\r\n",
     "\x92\x86\n"},
    {"OutputWhileTypingLiftsTheLine",
     80,
     {output("Q? "), keys("12"), output("more\r\nQ? ")},
     "Q? 12\x1b[2D\x1b[Jmore\r\nQ? 12",
     ""},
    {"CursorKeysMoveAndDeleteErases",
     80,
     {keys("abc\x01x\x05y\r"
           "abc\x1b[D\x1b[D\x1b[3~\r"
           "abc\x02\x02\x0b\r"
           "abc\x15\r")},
     "abc\x1b[3D\x1b[Jxabc\x1b[3D\x1b[3Cy\r\n"
     "abc\x1b[1D\x1b[1D\x1b[Jc\x1b[1D\x1b[1C\r\n"
     "abc\x1b[1D\x1b[1D\x1b[J\r\n"
     "abc\x1b[3D\x1b[J\r\n",
     "xabcy\nac\na\n\n"},
    {"CtrlWErasesTheWordBeforeTheCursor",
     80,
     {keys("1 2 3\x17\x17\r")},
     "1 2 3\x1b[1D\x1b[J\x1b[2D\x1b[J\r\n",
     "1 \n"},
    {"CtrlDHandsOnTheLineOrEndsTheInput", 80, {keys("12\x04\x04")}, "12", "12<end>"},
    {"UpAndDownRecallEarlierAnswers",
     80,
     {keys("1\r2\r3\x1b[A\x1b[A\x1b[B\x1b[B\r")},
     "1\r\n2\r\n3\x1b[1D\x1b[J2\x1b[1D\x1b[J1\x1b[1D\x1b[J2\x1b[1D\x1b[J3\r\n",
     "1\n2\n3\n"},
    {"CtrlVTakesAControlKeyAsACharacter", 80, {keys("1\x16\x03\r")}, "1^C\r\n", "1\x03\n"},
    {"APastedBlockIsHandedOnLineByLine",
     80,
     {keys("\x1b[200~5\r7.05\n2\x1b[201~\r")},
     "5\r\n7.05\r\n2\r\n",
     "5\n7.05\n2\n"},
    {"APasteWithoutItsEndEndsAfterATimeOut",
     80,
     {keys("\x1b[200~5\r7"), kTimeOut,
      keys("\x7f"
           "12\x1b[D3\x15"
           "8\r")},
     "5\r\n7\x1b[1D\x1b[J12\x1b[1D\x1b[J32\x1b[1D\x1b[2D\x1b[J2\x1b[1D\x1b[J82\x1b[1D\x1b[1C\r\n",
     "5\n82\n"},
    {"BrokenKeysAreGivenUpAfterATimeOut",
     80,
     {keys("\x1b"), kTimeOut, keys("\x1b[1;"), kTimeOut, keys("\xe3\x81"), kTimeOut, keys("\r")},
     "\xef\xbf\xbd\r\n",
     "?\n"},
    {"AmbiguousWidthsAreAskedOfTheTerminal",
     80,
     {output("μ: "), keys("μ"), keys("\x1b[1;5R\x7f")},
     "μ: \x1b[6nμ\x1b[2D\x1b[J",
     ""},
    {"AnUnansweredQuestionCostsOneTimeOut",
     80,
     {output("μ: "), keys("1"), kTimeOut, keys("2")},
     "μ: \x1b[6n12",
     ""},
};

class LineEditorCases : public testing::TestWithParam<Case> {};

std::string handedText(std::deque<LineEditing::HandedLine>& handed) {
  std::string text;
  for (const LineEditing::HandedLine& line : handed) {
    switch (line.kind) {
      case LineEditing::HandedLine::Kind::line: text += line.codePage932 + "\n"; break;
      case LineEditing::HandedLine::Kind::unended: text += line.codePage932; break;
      case LineEditing::HandedLine::Kind::endOfInput: text += "<end>"; break;
    }
    if (line.cut) text += "<cut>";
  }
  handed.clear();
  return text;
}

TEST_P(LineEditorCases, DrawsAndHandsOn) {
  const Case& c = GetParam();
  Editor editor(c.columns, true);
  for (const Event& event : c.events) {
    switch (event.kind) {
      case Event::Kind::output: editor.programOutput(toShiftJis(event.bytes)); break;
      case Event::Kind::keys: editor.keys(event.bytes); break;
      case Event::Kind::timeOut: editor.timeOut(); break;
      case Event::Kind::resize: editor.resize(event.columns); break;
    }
  }
  EXPECT_EQ(editor.takeScreen(), c.drawn);
  EXPECT_EQ(handedText(editor.handed()), c.handed);
}

INSTANTIATE_TEST_SUITE_P(Editing, LineEditorCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& param) {
                           return param.param.name;
                         });

TEST(LineEditor, WithoutEchoOnlyTheOutputIsDrawn) {
  Editor editor(80, false);
  editor.programOutput(toShiftJis("Q? "));
  editor.keys(
      "７\x7f"
      "5\r");
  EXPECT_EQ(editor.takeScreen(), "Q? ");
  EXPECT_EQ(handedText(editor.handed()), "5\n");
}

// The program's terminal holds 4095 bytes of a line: the rest is left out,
// counted in code page 932 bytes.
TEST(LineEditor, ALineIsCutWhereTheProgramsTerminalEndsIt) {
  Editor editor(80, false);
  editor.keys(std::string(4094, 'a') + "中\r" + std::string(4093, 'a') + "中\r");
  EXPECT_EQ(handedText(editor.handed()),
            std::string(4094, 'a') + "\n<cut>" + std::string(4093, 'a') + "\x92\x86\n");
}

// A pasted block is read in one pass, however large: four times the bytes
// take about four times as long (a reader that moved the rest up after
// every key took sixteen times as long, seconds for a megabyte).
TEST(LineEditor, APasteTakesTimeInProportionToItsSize) {
  const auto quickestOfThree = [](size_t size) {
    std::string paste = "\x1b[200~";
    size_t lines = 0;
    for (; paste.size() < size; ++lines) paste += "7.05\r";
    paste += "\x1b[201~";
    auto quickest = std::chrono::steady_clock::duration::max();
    for (int run = 0; run < 3; ++run) {
      Editor editor(80, false);
      const auto start = std::chrono::steady_clock::now();
      editor.keys(paste);
      quickest = std::min(quickest, std::chrono::steady_clock::now() - start);
      EXPECT_EQ(editor.handed().size(), lines);
    }
    return quickest;
  };
  const auto quarter = quickestOfThree(1 << 18);
  const auto whole = quickestOfThree(1 << 20);
  EXPECT_TRUE(whole < 8 * quarter || whole < std::chrono::seconds(1))
      << std::chrono::duration<double>(quarter).count() << " s, then "
      << std::chrono::duration<double>(whole).count() << " s";
}

// The going-back dialogue on its own: what happened in, what the host is
// asked to do out, as the terminal's and the page's hosts do it.
namespace Dialogue {

using GoingBack::Step;

struct Event {
  enum class Kind { keys, output, reads, ended, signal, time } kind;
  std::string bytes;
  int number = 0;  // the exit code, the signal or the time
};

Event typed(const std::string& keys) { return {Event::Kind::keys, keys}; }
Event wrote(const std::string& text) { return {Event::Kind::output, text}; }
const Event kReads{Event::Kind::reads, ""};
Event ended(int code) { return {Event::Kind::ended, "", code}; }
Event endedBy(int signal) { return {Event::Kind::ended, "", -signal}; }
Event signalled(int signal) { return {Event::Kind::signal, "", signal}; }
Event at(int milliseconds) { return {Event::Kind::time, "", milliseconds}; }

// An event, and what the host is asked to do after it until the dialogue
// waits or ends: "start" a run; a line handed on, "[5]" ("[^D]" the end
// of the input); "signal N" to the run; "wait", "until" a time, "for a
// read" when a line is due once the program reads; "end" with the code,
// or "end by" the signal.
struct Exchange {
  Event event;
  const char* asked;
};

struct Case {
  const char* name;
  std::vector<Exchange> exchanges;
  std::vector<std::string> shown;  // texts of the front end's own on the screen
};

std::string described(const Step& step) {
  switch (step.kind) {
    case Step::Kind::startRun: return "start";
    case Step::Kind::handOnLine:
      return step.line.kind == LineEditing::HandedLine::Kind::endOfInput
                 ? "[^D]"
                 : "[" + step.line.codePage932 + "]";
    case Step::Kind::signalRun: return "signal " + std::to_string(step.signal);
    case Step::Kind::wait: {
      std::string wait = "wait";
      if (step.until) wait += " until " + std::to_string(step.until->count());
      if (step.lineWaits) wait += " for a read";
      return wait;
    }
    case Step::Kind::end:
      return step.ending.signal != 0 ? "end by " + std::to_string(step.ending.signal)
                                     : "end " + std::to_string(step.ending.code);
  }
  return "";
}

const std::string kMenu = std::string(ProgramContract::kMenuLastLine) + "\r\n";
const std::string kFrequency = "中心周波数は？ＭＨｚですか\r\n";
const std::string kDiameter = "アンテナの直径は？ｍｍですか\r\n";
const std::string kOffer = "リターンキー（または y）で質問に戻ります。";
const std::string kDiffers = "同じ答えを渡しても前と同じ画面にならないので";

// A slip at the dipole's frequency: the answers before it handed on again
// once the program has shown what it showed before.
const std::vector<Exchange> kSlip = {
    {at(0), "start wait"},          {wrote(kMenu), "wait"},      {kReads, "wait"},
    {typed("5\r"), "[5] wait"},     {wrote(kFrequency), "wait"}, {kReads, "wait"},
    {typed("1,5\r"), "[1,5] wait"}, {ended(106), "wait"}};

std::vector<Exchange> slipThen(std::vector<Exchange> then) {
  std::vector<Exchange> all = kSlip;
  all.insert(all.end(), then.begin(), then.end());
  return all;
}

const Case kCases[] = {
    {"AnUnreadableAnswerComesBackForCorrecting",
     slipThen({{typed("\r"), "start wait until 10000"},
               {wrote(kMenu), "wait until 10000 for a read"},
               {kReads, "[5] wait"},
               {wrote(kFrequency), "wait"},
               {kReads, "wait"},
               {typed("\x15"
                      "7.05\r"),
                "[7.05] wait"}}),
     {kOffer, "コンマ、単位などの英字、二つ目の小数点は使えません"}},
    {"TheSlipIsOfferedAgainInTheLine",
     slipThen({{typed("y\r"), "start wait until 10000"},
               {wrote(kMenu + kFrequency), "wait until 10000 for a read"},
               {kReads, "[5] wait"},
               {kReads, "wait"},
               {typed("\r"), "[1,5] wait"}}),
     {}},
    // A frequency of 0 divides by zero only once the diameter is given; the
    // menu skips the empty line.
    {"AFaultComesBackToTheCalculationsFirstQuestion",
     {{at(0), "start wait"},
      {wrote(kMenu), "wait"},
      {kReads, "wait"},
      {typed("\r"), "[] wait"},
      {kReads, "wait"},
      {typed("5\r"), "[5] wait"},
      {wrote(kFrequency), "wait"},
      {kReads, "wait"},
      {typed("0\r"), "[0] wait"},
      {wrote(kDiameter), "wait"},
      {kReads, "wait"},
      {typed("2\r"), "[2] wait"},
      {ended(200), "wait"},
      {typed("\r"), "start wait until 10000"},
      {wrote(kMenu), "wait until 10000 for a read"},
      {kReads, "[] wait until 10000 for a read"},
      {kReads, "[5] wait"},
      {wrote(kFrequency), "wait"},
      {kReads, "wait"},
      {typed("\x7f"
             "7.05\r"),
       "[7.05] wait"},
      {wrote(kDiameter), "wait"},
      {kReads, "wait"},
      {typed("\r"), "[2] wait"}},
     {"ゼロによる割り算"}},
    // A program that shows other screens when started again: going back
    // would hand the answers to questions that were never asked.
    {"AReplayThatDiffersIsRefused",
     slipThen({{typed("\r"), "start wait until 10000"}, {wrote("run 2\r\n"), "end 106"}}),
     {kDiffers}},
    {"AReplayThatStaysQuietIsRefused",
     slipThen({{at(5000), "wait"},
               {typed("\r"), "start wait until 15000"},
               {at(14999), "wait until 15000"},
               {at(15000), "end 106"}}),
     {kDiffers}},
    {"QEndsAtTheOfferAndOtherAnswersAskAgain",
     slipThen({{typed("n\r"), "wait"}, {typed(" q \r"), "end 106"}}),
     {}},
    {"ASignalKeyEndsTheRunUnderWayByItsSignal",
     {{at(0), "start wait"},
      {wrote(kMenu), "wait"},
      {typed("7"), "wait"},
      {signalled(SIGINT), "signal 2 wait"},
      {endedBy(SIGINT), "end by 2"}},
     {"^C"}},
    {"ASignalAtTheOfferEndsTheDialogue", slipThen({{signalled(SIGQUIT), "end by 3"}}), {"^\\"}},
    {"CtrlCJustAfterGoingBackIsTheSignalNotADifference",
     slipThen({{typed("\r"), "start wait until 10000"},
               {signalled(SIGINT), "signal 2 wait until 10000"},
               {endedBy(SIGINT), "end by 2"}}),
     {}},
    {"NoOfferAfterTheEndOfTheInput",
     {{at(0), "start wait"},
      {kReads, "wait"},
      {typed("\x04"), "[^D] wait"},
      {ended(106), "end 106"}},
     {}},
    {"NoOfferAfterAnErrorNoAnswerCauses",
     {{at(0), "start wait"}, {kReads, "wait"}, {typed("5\r"), "[5] wait"}, {ended(216), "end 216"}},
     {}},
    // A pasted block whose end does not come waits longer, then its keys
    // are typed ones again.
    {"APasteWithoutItsEndEndsInTime",
     {{at(0), "start wait"},
      {typed("\x1b[200~7"), "wait until 1000"},
      {at(1000), "wait"},
      {kReads, "wait"},
      {typed("\x7f"
             "5\r"),
       "[5] wait"}},
     {}},
    // The rest of a key waits the editor's time since the last key.
    {"TheRestOfAKeyIsGivenUpInTime",
     {{at(0), "start wait"},
      {typed("\x1b"), "wait until 100"},
      {at(60), "wait until 100"},
      {typed("["), "wait until 160"},
      {at(160), "wait"},
      {kReads, "wait"},
      {typed("\r"), "[] wait"}},
     {}},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class GoingBackCases : public testing::TestWithParam<Case> {};

TEST_P(GoingBackCases, AsksTheHostWhatComesNext) {
  const Case& c = GetParam();
  GoingBack::Runs runs(80, true);
  GoingBack::Time now{0};
  std::string screen;
  for (const Exchange& exchange : c.exchanges) {
    const Event& event = exchange.event;
    switch (event.kind) {
      case Event::Kind::keys: runs.keys(event.bytes); break;
      case Event::Kind::output: runs.programOutput(toShiftJis(event.bytes)); break;
      case Event::Kind::reads: runs.programReads(); break;
      case Event::Kind::ended:
        runs.programEnded(event.number < 0 ? Child::Ending{0, -event.number}
                                           : Child::Ending{event.number, 0});
        break;
      case Event::Kind::signal: runs.signal(event.number); break;
      case Event::Kind::time: now = GoingBack::Time(event.number); break;
    }
    std::string asked;
    for (;;) {
      const Step step = runs.next(now);
      asked += (asked.empty() ? "" : " ") + described(step);
      if (step.kind == Step::Kind::wait || step.kind == Step::Kind::end) break;
    }
    screen += runs.editor().takeScreen();
    EXPECT_EQ(asked, exchange.asked) << "after event " << (&exchange - c.exchanges.data());
  }
  for (const std::string& text : c.shown) EXPECT_NE(screen.find(text), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(GoingBack, GoingBackCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& param) {
                           return param.param.name;
                         });

}  // namespace Dialogue

}  // namespace
