// The loading coil screens' special bytes: the coil drawings in half-width
// katakana (ﾛ is 0xDB, ｺｲﾙ is 0xBA 0xB2 0xD9), full-width blanks (0x81 0x40)
// and the Greek mu (0x83 0xCA).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/output_lines.hpp"
#include "test_support/transcript.hpp"

namespace {

const std::string kCoil = "\xBA\xB2\xD9";

std::string blanks(size_t count) { return std::string(count, ' '); }

// One base-loading run: d 10 mm, L 2 m, f 7 MHz.
std::vector<std::string> baseLoadingRun() { return outputLines("1\n\n10\n2\n7\nY\n\n0\n"); }

// Introduction line 1 to 24 of that run.
std::string introductionLine(const std::vector<std::string>& lines, size_t line) {
  return lines[kMenuLines + line];
}

std::string lineStartingWith(const std::vector<std::string>& lines, const std::string& start) {
  for (const std::string& line : lines) {
    if (line.starts_with(start)) return line;
  }
  return "(no line starts so)";
}

TEST(LoadingCoilScreens, IntroductionDrawsTheCoils) {
  std::vector<std::string> lines = baseLoadingRun();
  EXPECT_EQ(introductionLine(lines, 16),
            "  " + std::string(23, '-') + "\xDB TXout \xDB" + std::string(23, '-') + " ");
  EXPECT_EQ(introductionLine(lines, 17),
            "  [     " + toShiftJis("アンテナ長") + "       ]      " + kCoil + blanks(24));
  EXPECT_EQ(introductionLine(lines, 20),
            "  " + std::string(8, '-') + "\xDB" + std::string(15, '-') + " TXout " +
                std::string(15, '-') + "\xDB" + std::string(8, '-') + " ");
  EXPECT_EQ(introductionLine(lines, 21), "  [ " + fullWidthBlanks(2) + toShiftJis("アンテナ長") +
                                             fullWidthBlanks(1) + "     ]" + blanks(21) + kCoil);
}

TEST(LoadingCoilScreens, IntroductionLinesPlacedWithFullWidthBlanks) {
  std::vector<std::string> lines = baseLoadingRun();
  EXPECT_EQ(introductionLine(lines, 13),
            fullWidthBlanks(4) + "   \x81\x45     " +
                toShiftJis("先端の容量をエレメントに見立てればできないこともありません"));
  EXPECT_EQ(introductionLine(lines, 24), blanks(28) + fullWidthBlanks(3) + blanks(3) +
                                             fullWidthBlanks(3) + blanks(5) +
                                             toShiftJis("リターンキーを押してください"));
}

TEST(LoadingCoilScreens, LoadingQuestionShowsFullWidthLetters) {
  std::string question = toShiftJis("ベースローディングですね") + fullWidthBlanks(1) +
                         "\x82\x78  or  \x82\x6D" + blanks(11);
  EXPECT_EQ(lineStartingWith(baseLoadingRun(), question).substr(0, question.size()), question);
}

TEST(LoadingCoilScreens, ResultLinesUseTheGreekMu) {
  std::vector<std::string> lines = baseLoadingRun();
  EXPECT_EQ(lineStartingWith(lines, toShiftJis("ローディングコイル")),
            toShiftJis("ローディングコイルのインダクタンスは") + "  27.0697 \x83\xCA" +
                toShiftJis("ヘンリーです"));
  EXPECT_EQ(lineStartingWith(lines, fullWidthBlanks(5)),
            fullWidthBlanks(5) +
                toShiftJis("［注意：これは給電点インピーダンスとは違うものです！］") + " ");
}

}  // namespace
