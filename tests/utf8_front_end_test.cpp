// tanshuku-utf8, the program's front end for UTF-8: on a terminal (a
// pseudo-terminal set up as a user's UTF-8 terminal) and on pipes and files.
// What the program writes must come out as its bytes converted from code
// page 932 to UTF-8, byte for byte; what is typed in UTF-8 must reach it in
// code page 932; its exit status must pass through.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/interactive.hpp"
#include "tests/support/process.hpp"
#include "tests/support/transcript.hpp"

namespace {

namespace fs = std::filesystem;
using Terminal = InteractiveProcess::Terminal;

const std::string kDipoleResult = "波長短縮率は  2.44％  です";

// The front end copied into a folder of its own, with the given program
// beside it as "tanshuku" (none when empty), so that it starts that one.
std::string frontEndWith(const std::string& program, const std::string& name) {
  fs::path folder =
      fs::path(testing::TempDir()) / ("tanshuku-utf8-" + name + "-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(frontEndPath(), folder / "tanshuku-utf8");
  if (!program.empty()) fs::copy_file(program, folder / "tanshuku");
  return (folder / "tanshuku-utf8").string();
}

// What a user's terminal shows of the program's screens: CR LF becomes
// CR CR LF, as the terminal's output processing turns each LF into CR LF.
std::string onTerminal(const std::string& text) {
  std::string shown;
  for (char c : text) shown += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return shown;
}

// The front end on a user's terminal: the menu is shown, then each line is
// typed with the given keys (Return as CR, Backspace as DEL).
struct TypedSession {
  TypedSession() : frontEnd(frontEndPath(), Terminal::lines) {
    std::string menu = toUtf8(runProcess(programPath(), "0\n").output);
    menu.resize(menu.size() - 3);  // the answer 0 ends it with " \r\n"
    EXPECT_EQ(frontEnd.readScreen(onTerminal(menu)), onTerminal(menu));
  }
  InteractiveProcess frontEnd;
};

TEST(Utf8OnATerminal, BackspaceErasesAFullWidthDigitWhole) {
  TypedSession session;
  session.frontEnd.send("５");
  session.frontEnd.send("\x7f");
  session.frontEnd.send("5\r");
  const std::string question = "中心周波数は？ＭＨｚですか";
  EXPECT_NE(session.frontEnd.readUntil(question).find(question), std::string::npos);
  session.frontEnd.send("7.05\r2\r\r0\r");
  EXPECT_NE(session.frontEnd.readToEnd().find(kDipoleResult), std::string::npos);
  EXPECT_EQ(session.frontEnd.wait(), 0);
}

// Each typed line as the program reads it, shown by a probe in its place.
TEST(Utf8OnATerminal, TypedLinesReachTheProgramInCodePage932) {
  struct Case {
    const char* typed;
    const char* arrives;
  } cases[] = {
      {"Ｎ\r", "82 6D 0A"},  // the loading question's N, typed full-width
      {"ﾛ～5\r", "DB 81 60 35 0A"},
      {"€\r", "3F 0A"},                        // no form in code page 932
      {"1\x16\x03\x16\x1a\r", "31 03 1A 0A"},  // Ctrl-V makes a control key a byte
      {"1 2 3\02545\r", "34 35 0A"},           // Ctrl-U (octal 025) erases the line
      {"12\x04", "31 32"},                     // Ctrl-D inside a line hands it on
      {"\x04", "end"},                         // and at its start ends the input
  };
  InteractiveProcess probe(frontEndWith(probePath("input_bytes_probe"), "probe"), Terminal::lines);
  for (const Case& c : cases) {
    probe.send(c.typed);
    std::string expected = std::string(c.arrives) + "\r\r\n";
    std::string shown = probe.readUntil(expected);
    EXPECT_TRUE(shown.ends_with(expected)) << c.arrives << " in " << shown;
  }
  EXPECT_EQ(probe.wait(), 0);
}

// A terminal in raw mode passes a line of any length; the program's terminal
// holds 4095 bytes of a line, so the front end cuts it there and says so.
TEST(Utf8OnATerminal, LineLongerThanTheProgramsTerminalHoldsIsCutWithAMessage) {
  InteractiveProcess probe(frontEndWith(probePath("input_bytes_probe"), "raw"), Terminal::pseudo);
  probe.send(std::string(5000, 'a') + "\n");
  std::string shown = probe.readUntil("0A");
  size_t bytes = 0;
  for (size_t at = shown.find("61"); at != std::string::npos; at = shown.find("61", at + 1)) {
    ++bytes;
  }
  EXPECT_EQ(bytes, 4095u);
  EXPECT_TRUE(shown.ends_with("61 0A\r\n")) << shown;
  const std::string message = "tanshuku-utf8: a line longer than 4095 bytes was cut";
  const size_t first = shown.find(message);
  EXPECT_NE(first, std::string::npos) << shown;
  EXPECT_EQ(shown.find(message, first + 1), std::string::npos) << "said more than once";
}

// A session through every entry of the menu, on a terminal that does not
// echo (so that the typed lines do not mix with the screens).
TEST(Utf8OnATerminal, EveryScreenIsTheProgramsBytesInUtf8) {
  const std::string input =
      "1\n\n25\n2.5\n7.05\nY\n\n"    // loading coil
      "2\n0\n\n12\n35\n1\n12.5\n\n"  // coil: help, then turns
      "3\n\n7\n30\n2\n\n"            // feed-point impedance
      "4\n2\n\n14.2\n1.5\n2.25\n\n"  // efficiency
      "5\n7.05\n2\n\n"               // dipole
      "6\n\n\n\n"                    // guide
      "0\n";
  ProcessResult direct = runProcess(programPath(), input);
  ASSERT_EQ(direct.exitCode, 0);

  InteractiveProcess frontEnd(frontEndPath(), Terminal::lines);
  termios plain = frontEnd.terminalSettings();
  plain.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  frontEnd.setTerminalSettings(plain);
  std::string shown;
  std::istringstream lines(input);
  for (std::string line; std::getline(lines, line);) {
    frontEnd.send(line + "\r");
    shown += frontEnd.readUntilQuiet(20);
  }
  shown += frontEnd.readToEnd();
  EXPECT_EQ(frontEnd.wait(), 0);
  EXPECT_TRUE(shown == onTerminal(toUtf8(direct.output))) << "the front end showed:\n" << shown;
}

struct Ending {
  const char* input;  // lines ended by LF
  int status;
};

// A normal end, a bad answer and a division by zero in the dipole calculator.
const Ending kEndings[] = {{"0\n", 0}, {"abc\n", 106}, {"5\n0\n2\n", 200}};

std::string typed(const std::string& lines) {
  std::string keys = lines;
  for (char& c : keys) c = c == '\n' ? '\r' : c;
  return keys;
}

TEST(Utf8OnATerminal, ExitStatusAndReportPassThrough) {
  for (const Ending& ending : kEndings) {
    TypedSession session;
    session.frontEnd.send(typed(ending.input));
    std::string shown = session.frontEnd.readToEnd();
    EXPECT_EQ(session.frontEnd.wait(), ending.status) << ending.input;
    if (ending.status != 0) {
      EXPECT_NE(shown.find("Runtime error " + std::to_string(ending.status) + " at $"),
                std::string::npos)
          << shown;
    }
  }
}

TEST(Utf8OnATerminal, CtrlCEndsTheProgramAndLeavesTheTerminalAsItWas) {
  TypedSession session;
  termios before = session.frontEnd.terminalSettings();
  session.frontEnd.send("5\r");
  session.frontEnd.readUntil("中心周波数は");
  session.frontEnd.send("\x03");
  EXPECT_EQ(session.frontEnd.wait(), 128 + SIGINT);
  termios after = session.frontEnd.terminalSettings();
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(std::string(std::begin(after.c_cc), std::end(after.c_cc)),
            std::string(std::begin(before.c_cc), std::end(before.c_cc)));
}

TEST(Utf8OnATerminal, HangingUpEndsTheProgramAndTheFrontEnd) {
  TypedSession session;
  session.frontEnd.hangUp();
  EXPECT_EQ(session.frontEnd.wait(), 128 + SIGHUP);
}

TEST(Utf8OnPipes, AnswersFromAPipeGiveUtf8Text) {
  const std::string input = "5\n14.1\n2\n\n0\n";
  ProcessResult direct = runProcess(programPath(), input);
  ProcessResult converted = runProcess(frontEndPath(), input);
  EXPECT_EQ(converted.exitCode, 0);
  EXPECT_TRUE(converted.output == toUtf8(direct.output)) << converted.output;
}

TEST(Utf8OnPipes, AnswersFileGivesASessionFile) {
  const std::string base = testing::TempDir() + "tanshuku-utf8-" + std::to_string(getpid());
  const std::string input = "1\n\n20\n5\n7\nＮ\n\n0\n";  // Ｎ is not N: base loading
  std::ofstream(base + ".answers") << input;
  ProcessOptions files;
  files.stdinPath = base + ".answers";
  files.stdoutPath = base + ".session";
  EXPECT_EQ(runProcess(frontEndPath(), "", files).exitCode, 0);
  std::stringstream session;
  session << std::ifstream(files.stdoutPath).rdbuf();
  EXPECT_TRUE(session.str() == toUtf8(runProcess(programPath(), toShiftJis(input)).output))
      << session.str();
}

TEST(Utf8OnPipes, ExitStatusAndReportPassThrough) {
  for (const Ending& ending : kEndings) {
    ProcessResult direct = runProcess(programPath(), ending.input);
    ProcessResult converted = runProcess(frontEndPath(), ending.input);
    EXPECT_EQ(converted.exitCode, ending.status) << ending.input;
    // The report's code locations are the same in both runs.
    EXPECT_TRUE(converted.output == toUtf8(direct.output)) << converted.output;
  }
}

TEST(Utf8OnPipes, InvalidInputBecomesASubstitute) {
  std::string input = "Ｎ\n\xff\xfe\n\xe3\x81\n€😀\n";
  ProcessResult probe = runProcess(frontEndWith(probePath("input_bytes_probe"), "piped"), input);
  EXPECT_EQ(probe.exitCode, 0);
  std::string bytes;
  for (char c : probe.output) bytes += c == '\r' || c == '\n' ? ' ' : c;
  std::istringstream words(bytes);
  std::string all;
  for (std::string word; words >> word;) all += word + " ";
  EXPECT_EQ(all, "82 6D 0A 3F 3F 0A 3F 0A 3F 3F 0A end ");
}

// A 10 MB line goes through without the front end holding it: the answer
// 7.05 and blanks, which the program discards with the rest of the line.
TEST(Utf8OnPipes, TenMegabyteLineGoesThroughInBoundedMemory) {
  const std::string longInput = "5\n7.05" + std::string(10 << 20, ' ') + "\n2\n\n0\n";
  ProcessResult shortRun = runProcess(frontEndPath(), "5\n7.05\n2\n\n0\n");
  ProcessResult longRun = runProcess(frontEndPath(), longInput);
  EXPECT_EQ(longRun.exitCode, 0);
  EXPECT_TRUE(longRun.output == shortRun.output);
  EXPECT_NE(longRun.output.find(kDipoleResult), std::string::npos);
  EXPECT_LT(longRun.peakMemoryKb, shortRun.peakMemoryKb + 4096);
}

TEST(Utf8OnPipes, ProgramEndingWithInputPendingEndsTheFrontEndAtOnce) {
  InteractiveProcess frontEnd(frontEndPath(), Terminal::none);
  frontEnd.send("0\n5\n");  // and the input stays open
  auto start = std::chrono::steady_clock::now();
  std::string shown = frontEnd.readToEnd();
  ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(shown.ends_with("終了します\r\n \r\n")) << shown;
  EXPECT_EQ(frontEnd.wait(), 0);
}

// The front end's own messages: standard error, one line.
ProcessResult runWithMessages(const std::string& frontEnd, const std::string& arguments) {
  ProcessOptions options;
  options.arguments = {"-c", "exec \"$0\" " + arguments + " 2>&1", frontEnd};
  return runProcess("/bin/sh", "", options);
}

TEST(Utf8OnPipes, HelpVersionAndOtherArguments) {
  ProcessResult help = runWithMessages(frontEndPath(), "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.output.starts_with("Usage: tanshuku-utf8 [--help | --version]\n"));
  EXPECT_NE(help.output.find("使い方: tanshuku-utf8"), std::string::npos);

  ProcessResult version = runWithMessages(frontEndPath(), "--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.output, "tanshuku-utf8 1.0.0\n");

  for (const char* arguments : {"-h", "--help --version", "build/default/tanshuku", "''"}) {
    ProcessResult refused = runWithMessages(frontEndPath(), arguments);
    EXPECT_EQ(refused.exitCode, 2) << arguments;
    EXPECT_TRUE(refused.output.starts_with("tanshuku-utf8: ")) << refused.output;
    EXPECT_EQ(std::count(refused.output.begin(), refused.output.end(), '\n'), 1) << refused.output;
  }
}

TEST(Utf8OnPipes, MissingProgramIsOneLineAndStatus127) {
  ProcessResult missing = runWithMessages(frontEndWith("", "alone"), "");
  EXPECT_EQ(missing.exitCode, 127);
  EXPECT_TRUE(missing.output.starts_with("tanshuku-utf8: ")) << missing.output;
  EXPECT_EQ(std::count(missing.output.begin(), missing.output.end(), '\n'), 1) << missing.output;
}

}  // namespace
