// The guide's special lines, pinned byte for byte, and its pauses as a user at
// a console sees them.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/output_lines.hpp"
#include "tests/support/process.hpp"
#include "tests/support/transcript.hpp"

namespace {

constexpr size_t kMenuLines = 22;
constexpr size_t kGuideLines = 68;
const std::string kFullWidthBlank = "\x81\x40";

std::string repeat(const std::string& text, size_t count) {
  std::string result;
  for (size_t i = 0; i < count; ++i) result += text;
  return result;
}

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
    EXPECT_EQ(guide[line], kFullWidthBlank) << "line " << line;
  }
  EXPECT_EQ(guide[41], kFullWidthBlank + kFullWidthBlank);
}

TEST(GuideScreens, SignatureLineKeepsItsPosition) {
  std::string signature = guideLines()[66];
  ASSERT_EQ(signature.size(), 75u);
  EXPECT_EQ(signature.substr(0, 57), " " + repeat(kFullWidthBlank, 28));
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
  std::string menuTwo = repeat(kFullWidthBlank, 7) + " " + toShiftJis("（メニュー２）");
  EXPECT_EQ(guide[20].substr(guide[20].size() - menuTwo.size()), menuTwo);
}

TEST(GuideScreens, PauseLines) {
  std::vector<std::string> guide = guideLines();
  std::string next = std::string(40, ' ') + toShiftJis("リターンキーを押すと次に進みます");
  EXPECT_EQ(guide[25], next);
  EXPECT_EQ(guide[47], next);
  EXPECT_EQ(guide[68], repeat(kFullWidthBlank, 6) + std::string(25, ' ') +
                           toShiftJis("リターンキーを押すとメニューに戻ります"));
}

// The program on a pseudo-terminal: there every operation shows its output at
// once, so what has been written while the program waits can be seen.
class Console {
 public:
  Console() {
    std::string program = programPath();
    termios raw{};
    cfmakeraw(&raw);
    child_ = forkpty(&terminal_, nullptr, &raw, nullptr);
    if (child_ == 0) {
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Console() {
    close(terminal_);
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
  }

  void type(const std::string& line) {
    std::string bytes = line + "\n";
    ASSERT_EQ(write(terminal_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Reads until the output ends with the given text, then makes sure that
  // nothing more comes: the program waits there for the user.
  std::string screenUntilWaitingAfter(const std::string& ending) {
    std::string screen;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!screen.ends_with(ending) && std::chrono::steady_clock::now() < deadline) {
      readFor(1000, screen);
    }
    readFor(300, screen);
    return screen;
  }

 private:
  void readFor(int milliseconds, std::string& screen) {
    pollfd ready{terminal_, POLLIN, 0};
    if (poll(&ready, 1, milliseconds) <= 0) return;
    char buffer[4096];
    ssize_t count = read(terminal_, buffer, sizeof buffer);
    if (count > 0) screen.append(buffer, static_cast<size_t>(count));
  }

  int terminal_ = -1;
  pid_t child_ = -1;
};

std::string joinLines(const std::vector<std::string>& lines, size_t first, size_t last) {
  std::string text;
  for (size_t line = first; line <= last; ++line) text += lines[line] + "\r\n";
  return text;
}

TEST(GuideScreens, EachPageWaitsForReturn) {
  std::vector<std::string> guide = guideLines();
  std::vector<std::string> menu = outputLines("");
  std::string menuScreen = joinLines(menu, 0, kMenuLines - 1);

  Console console;
  EXPECT_EQ(console.screenUntilWaitingAfter(menuScreen), menuScreen);
  console.type("6");
  EXPECT_EQ(console.screenUntilWaitingAfter(guide[25] + "\r\n"), " \r\n" + joinLines(guide, 1, 25));
  console.type("typed before Return");
  EXPECT_EQ(console.screenUntilWaitingAfter(guide[47] + "\r\n"), joinLines(guide, 26, 47));
  console.type("");
  EXPECT_EQ(console.screenUntilWaitingAfter(guide[68] + "\r\n"), joinLines(guide, 48, 68));
  console.type("");
  EXPECT_EQ(console.screenUntilWaitingAfter(menuScreen), menuScreen);
}

}  // namespace
