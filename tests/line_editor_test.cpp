// The front end's line editor on its own: the program's output and the
// user's keys in, the bytes that draw the screen and the lines for the
// program out.
#include "utf8/line_editor.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/transcript.hpp"

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

}  // namespace
