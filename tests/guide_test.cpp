// The guide's pauses as a user at a console sees them: each page waits for
// Return. The pages' bytes are those of the golden transcripts' screens.
#include <gtest/gtest.h>

#include <string>

#include "test_support/interactive.hpp"
#include "test_support/process.hpp"
#include "test_support/transcript.hpp"

namespace {

TEST(GuideScreens, EachPageWaitsForReturn) {
#ifdef _WIN32
  GTEST_SKIP() << kNoPseudoTerminalOnWindows;
#endif
  const std::string menuScreen = screenOutput("menu");

  // On a terminal every line is shown at once, so each page can be seen
  // waiting for Return.
  InteractiveProcess console(programPath(), InteractiveProcess::Terminal::pseudo);
  EXPECT_EQ(console.readScreen(menuScreen), menuScreen);
  console.send("6\n");
  {
    const std::string expected = " \r\n" + screenOutput("guide_page1");
    EXPECT_EQ(console.readScreen(expected), expected);
  }
  console.send("typed before Return\n");
  const std::string secondPage = screenOutput("guide_page2");
  EXPECT_EQ(console.readScreen(secondPage), secondPage);
  console.send("\n");
  const std::string thirdPage = screenOutput("guide_page3");
  EXPECT_EQ(console.readScreen(thirdPage), thirdPage);
  console.send("\n");
  EXPECT_EQ(console.readScreen(menuScreen), menuScreen);
}

}  // namespace
