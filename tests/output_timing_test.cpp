// When the program's output reaches the user: at once on a terminal, in
// 256-byte blocks and at the end on a pipe.
#include <gtest/gtest.h>

#include "test_support/interactive.hpp"
#include "test_support/process.hpp"

namespace {

// The bytes of one menu screen, as a whole run answering 0 writes them.
std::string menuScreen() {
  std::string output = runProcess(programPath(), "0\n").output;
  EXPECT_TRUE(output.ends_with(" \r\n"));
  return output.substr(0, output.size() - 3);
}

TEST(OutputTiming, OnATerminalTheQuestionIsShownBeforeTheProgramWaits) {
#ifdef _WIN32
  GTEST_SKIP() << kNoPseudoTerminalOnWindows;
#endif
  std::string screen = menuScreen();
  InteractiveProcess program(programPath(), InteractiveProcess::Terminal::pseudo);
  EXPECT_EQ(program.readScreen(screen), screen);
  program.send("7\n");
  EXPECT_EQ(program.readScreen(" \r\n" + screen), " \r\n" + screen);
  program.send("0\n");
  EXPECT_EQ(program.readToEnd(), " \r\n");
  EXPECT_EQ(program.wait(), 0);
}

TEST(OutputTiming, OnAPipeOutputIsHeldBackUntil256BytesOrTheEnd) {
  std::string screen = menuScreen();
  size_t written = screen.size() / 256 * 256;
  ASSERT_GT(written, 0u);
  InteractiveProcess program(programPath(), InteractiveProcess::Terminal::none);
  // Waiting for the answer does not write out the buffered rest.
  EXPECT_EQ(program.readScreen(screen.substr(0, written)), screen.substr(0, written));
  program.send("0\n");
  EXPECT_EQ(program.readToEnd(), screen.substr(written) + " \r\n");
  EXPECT_EQ(program.wait(), 0);
}

TEST(OutputTiming, FileTerminalAndPipeReceiveTheSameBytes) {
  const std::string input = "7\n-1\n0\n";
  std::string piped = runProcess(programPath(), input).output;

  ProcessOptions toFile;
  toFile.stdoutPath = testing::TempDir() + "tanshuku_output.txt";
  EXPECT_EQ(runProcess(programPath(), input, toFile).exitCode, 0);
  FILE* file = std::fopen(toFile.stdoutPath.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::string filed;
  for (int c; (c = std::fgetc(file)) != EOF;) filed += static_cast<char>(c);
  std::fclose(file);
  EXPECT_EQ(filed, piped);

#ifdef _WIN32
  GTEST_SKIP() << kNoPseudoTerminalOnWindows;
#endif
  InteractiveProcess terminal(programPath(), InteractiveProcess::Terminal::pseudo);
  terminal.send(input);
  std::string shown = terminal.readToEnd();
  EXPECT_EQ(terminal.wait(), 0);

  EXPECT_EQ(shown, piped);
}

}  // namespace
