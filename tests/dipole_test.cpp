// The dipole screen's special bytes: full-width blanks (0x81 0x40) placing the
// texts, the full-width ％ (0x81 0x93) and ｍ (0x82 0x8D) of the results.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/output_lines.hpp"
#include "test_support/transcript.hpp"

namespace {

// Line 1 to 23 of the dialogue for 7.05 MHz and 2 mm.
std::vector<std::string> dialogue() {
  std::vector<std::string> lines = outputLines("5\n7.05\n2\n\n0\n");
  return {lines.begin() + kMenuLines, lines.begin() + kMenuLines + 24};
}

TEST(DipoleScreens, TextsPlacedWithFullWidthBlanks) {
  std::vector<std::string> lines = dialogue();
  EXPECT_EQ(lines[10], std::string(17, ' ') + fullWidthBlanks(3) +
                           toShiftJis("この寸法どうり作ると、共振するはずです。"));
  EXPECT_EQ(lines[14], fullWidthBlanks(10) + toShiftJis("中心周波数は？ＭＨｚですか"));
  EXPECT_EQ(lines[15], std::string(20, ' ') + toShiftJis("アンテナの直径は？ｍｍですか"));
}

TEST(DipoleScreens, ResultsFollowTheSecondAnswerDirectly) {
  std::vector<std::string> lines = dialogue();
  EXPECT_EQ(lines[16], toShiftJis("波長短縮率は") + "  2.44\x81\x93  " + toShiftJis("です"));
  EXPECT_EQ(lines[17], toShiftJis("入力された周波数に共振するエレメントの長さは") +
                           " 10.379\x82\x8D\x81\x40" + toShiftJis("です"));
  EXPECT_EQ(lines[21], std::string(40, ' ') + toShiftJis("リターンキーを押してください") + " ");
}

}  // namespace
