// The guide's special lines, pinned byte for byte, and its pauses as a user at
// a console sees them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/interactive.hpp"
#include "test_support/output_lines.hpp"
#include "test_support/process.hpp"
#include "test_support/transcript.hpp"

namespace {

constexpr size_t kGuideLines = 68;

// The guide's lines 1 to 68 (index 0 unused), read from menu answer 6 with the
// input ended, so the pages follow one another and the menu comes back.
std::vector<std::string> guideLines() {
  std::vector<std::string> lines = outputLines("6\n");
  // menu, the menu's blank line, the guide, menu, blank line, nothing after.
  EXPECT_EQ(lines.size(), 2 * (kMenuLines + 1) + kGuideLines + 1);
  std::vector<std::string> guide = {""};
  guide.insert(guide.end(), lines.begin() + kMenuLines + 1,
               lines.begin() + kMenuLines + 1 + kGuideLines);
  EXPECT_EQ(lines[kMenuLines + 1 + kGuideLines], lines[0]) << "the menu follows line 68";
  return guide;
}

TEST(GuideScreens, OnlyLine28IsTrulyEmpty) {
  std::vector<std::string> guide = guideLines();
  for (size_t line = 1; line <= kGuideLines; ++line) {
    EXPECT_EQ(guide[line].empty(), line == 28) << "line " << line;
  }
}

TEST(GuideScreens, BlankLinesHoldOneBlankOrFullWidthBlanks) {
  std::vector<std::string> guide = guideLines();
  for (size_t line : {2, 3, 5, 8, 12, 15, 17, 24, 52, 65, 67}) {
    EXPECT_EQ(guide[line], " ") << "line " << line;
  }
  for (size_t line : {35, 38, 46, 60, 62, 63}) {
    EXPECT_EQ(guide[line], fullWidthBlanks(1)) << "line " << line;
  }
  EXPECT_EQ(guide[41], fullWidthBlanks(2));
}

TEST(GuideScreens, SignatureLineKeepsItsPosition) {
  std::string signature = guideLines()[66];
  ASSERT_EQ(signature.size(), 75u);
  EXPECT_EQ(signature.substr(0, 57), " " + fullWidthBlanks(28));
  EXPECT_NE(signature[57], ' ');
  for (char c : signature.substr(57)) {
    EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "the signature is ASCII";
  }
}

TEST(GuideScreens, LinesWithTrailingBlanksAndMixedCharacters) {
  std::vector<std::string> guide = guideLines();
  EXPECT_EQ(guide[1], std::string(69, '*'));
  EXPECT_EQ(guide[45], toShiftJis("結果オーライで、意外と良好なＳＷＲを示す筈です。") + " ");
  EXPECT_NE(guide[61].find("VISTA"), std::string::npos);
  // Line 19 opens with an ASCII "(" and closes with a full-width "）" (0x81 0x6A).
  std::string menuOne = "(\x83\x81\x83\x6A\x83\x85\x81\x5B\x82\x50\x81\x6A";
  EXPECT_EQ(guide[19].substr(guide[19].size() - menuOne.size()), menuOne);
  std::string menuTwo = fullWidthBlanks(7) + " " + toShiftJis("（メニュー２）");
  EXPECT_EQ(guide[20].substr(guide[20].size() - menuTwo.size()), menuTwo);
}

TEST(GuideScreens, PauseLines) {
  std::vector<std::string> guide = guideLines();
  std::string next = std::string(40, ' ') + toShiftJis("リターンキーを押すと次に進みます");
  EXPECT_EQ(guide[25], next);
  EXPECT_EQ(guide[47], next);
  EXPECT_EQ(guide[68], fullWidthBlanks(6) + std::string(25, ' ') +
                           toShiftJis("リターンキーを押すとメニューに戻ります"));
}

std::string joinLines(const std::vector<std::string>& lines, size_t first, size_t last) {
  std::string text;
  for (size_t line = first; line <= last; ++line) text += lines[line] + "\r\n";
  return text;
}

TEST(GuideScreens, EachPageWaitsForReturn) {
#ifdef _WIN32
  GTEST_SKIP() << kNoPseudoTerminalOnWindows;
#endif
  std::vector<std::string> guide = guideLines();
  std::vector<std::string> menu = outputLines("");
  std::string menuScreen = joinLines(menu, 0, kMenuLines - 1);

  // On a terminal every line is shown at once, so each page can be seen
  // waiting for Return.
  InteractiveProcess console(programPath(), InteractiveProcess::Terminal::pseudo);
  EXPECT_EQ(console.readScreen(menuScreen), menuScreen);
  console.send("6\n");
  {
    const std::string expected = " \r\n" + joinLines(guide, 1, 25);
    EXPECT_EQ(console.readScreen(expected), expected);
  }
  console.send("typed before Return\n");
  EXPECT_EQ(console.readScreen(joinLines(guide, 26, 47)), joinLines(guide, 26, 47));
  console.send("\n");
  EXPECT_EQ(console.readScreen(joinLines(guide, 48, 68)), joinLines(guide, 48, 68));
  console.send("\n");
  EXPECT_EQ(console.readScreen(menuScreen), menuScreen);
}

}  // namespace
