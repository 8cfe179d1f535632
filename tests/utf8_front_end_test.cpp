// tanshuku-utf8, the program's front end for UTF-8: on a terminal (a
// pseudo-terminal set up as a user's UTF-8 terminal) and on pipes and files.
// What the program writes must come out as its bytes converted from code
// page 932 to UTF-8, byte for byte; what is typed in UTF-8 must reach it in
// code page 932; its exit status must pass through.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "test_support/interactive.hpp"
#include "test_support/process.hpp"
#include "test_support/terminal_screen.hpp"
#include "test_support/transcript.hpp"
#include "utf8/conversion.hpp"

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

// What the front end writes first and last on a terminal: bracketed paste
// switched on and off.
const std::string kPasteOn = "\x1b[?2004h";
const std::string kPasteOff = "\x1b[?2004l";

// The front end on a user's terminal: the menu is shown, then keys are typed
// (Return as CR, Backspace as DEL).
// The first screen, as the front end shows it on a terminal.
std::string firstScreen() {
  std::string menu = toUtf8(runProcess(programPath(), "0\n").output);
  menu.resize(menu.size() - 3);  // the answer 0 ends it with " \r\n"
  return kPasteOn + onTerminal(menu);
}

struct TypedSession {
  explicit TypedSession(Terminal terminal = Terminal::lines) : frontEnd(frontEndPath(), terminal) {
    shown = frontEnd.readScreen(firstScreen());
    EXPECT_EQ(shown, firstScreen());
  }
  // Types the keys and reads until the text has come.
  void type(const std::string& keys, const std::string& until) {
    frontEnd.send(keys);
    shown += frontEnd.readUntil(until);
  }
  InteractiveProcess frontEnd;
  std::string shown;  // all bytes so far
};

const std::string kFrequencyQuestion = "中心周波数は？ＭＨｚですか";
const std::string kDiameterQuestion = "アンテナの直径は？ｍｍですか";

// The dipole's frequency is asked on a line of its own, the answer typed on
// the next: what the terminal shows there is what the program got.
TEST(Utf8OnATerminal, TheScreenShowsWhatTheProgramGets) {
  for (Terminal terminal : {Terminal::lines, Terminal::linesWithoutUtf8}) {
    TypedSession session(terminal);
    session.type("５\r", kFrequencyQuestion);
    session.type(
        "７．０５\x7f\x7f\x7f\x7f"
        "7.05\r",
        kDiameterQuestion);
    const std::string screen = terminalScreen(session.shown);
    EXPECT_NE(screen.find(kFrequencyQuestion + "\n7.05\n"), std::string::npos) << screen;
    const std::string length = "入力された周波数に共振するエレメントの長さは 10.379ｍ";
    session.type("2\r", length);
    EXPECT_NE(session.shown.find(length), std::string::npos);
    session.frontEnd.send("\r0\r");
    session.frontEnd.readToEnd();
    EXPECT_EQ(session.frontEnd.wait(), 0);
  }
}

// The README's design: a full-width Ｎ typed with the input method on is
// centre loading.
TEST(Utf8OnATerminal, FullWidthAnswersReachTheProgramHalfWidth) {
  TypedSession session;
  session.type("１\r\r２\r５\r７．０５\rＮ\r２．５\r", "μヘンリー");
  EXPECT_NE(session.shown.find("ローディングコイルのインダクタンスは  23.6540 μヘンリーです"),
            std::string::npos)
      << session.shown;
}

// The answers of this session come back with the Up key: the dipole again,
// its menu answer and both of its answers recalled.
TEST(Utf8OnATerminal, UpRecallsEarlierAnswers) {
  TypedSession session;
  session.type("5\r7.05\r2\r", kDipoleResult);
  const std::string up = "\x1b[A";
  session.type("\r" + up + up + up + "\r", kFrequencyQuestion);
  session.type(up + up + up + "\r", kDiameterQuestion);
  session.type(up + up + up + "\r", kDipoleResult);
  const std::string screen = terminalScreen(session.shown);
  EXPECT_NE(screen.find(kFrequencyQuestion + "\n7.05\n"), std::string::npos) << screen;
}

// Each typed line as the program reads it, shown by a probe in its place.
TEST(Utf8OnATerminal, TypedLinesReachTheProgramInCodePage932) {
  struct Case {
    const char* typed;
    const char* arrives;
  } cases[] = {
      {"Ｎ\r", "4E 0A"},  // the loading question's N, typed full-width
      {"ﾛ～5\r", "DB 81 60 35 0A"},
      {"€\r", "3F 0A"},                        // no form in code page 932
      {"1\x16\x04\x16\x15\r", "31 04 15 0A"},  // Ctrl-V makes a control key a byte
      {"1 2 3\02545\r", "34 35 0A"},           // Ctrl-U (octal 025) erases the line
      {"12\x04", "31 32"},                     // Ctrl-D inside a line hands it on
  };
  InteractiveProcess probe(frontEndWith(probePath("input_bytes_probe"), "probe"), Terminal::lines);
  auto expectArrival = [&probe](const std::string& arrives) {
    std::string expected = arrives + "\r\r\n";
    std::string shown = probe.readUntil(expected);
    EXPECT_NE(shown.find(expected), std::string::npos) << arrives << " in " << shown;
  };
  for (const Case& c : cases) {
    probe.send(c.typed);
    expectArrival(c.arrives);
  }
  // After Ctrl-V even the signal keys are bytes: they are off for one key,
  // once the front end has read the Ctrl-V.
  probe.send("1\x16");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  probe.send("\x03\x16");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  probe.send("\x1a\r");
  expectArrival("31 03 1A 0A");
  probe.send("\x04");
  expectArrival("end");
  EXPECT_EQ(probe.wait(), 0);
}

// The program's terminal holds 4095 bytes of a line, so the front end cuts
// it there and says so.
TEST(Utf8OnATerminal, LineLongerThanTheProgramsTerminalHoldsIsCutWithAMessage) {
  InteractiveProcess probe(frontEndWith(probePath("input_bytes_probe"), "raw"), Terminal::pseudo);
  probe.send(std::string(5000, 'a') + "\n");
  std::string shown = probe.readUntil("0A");
  const std::string arrived = shown.substr(shown.rfind('\n', shown.find("61 ")) + 1);
  size_t bytes = 0;
  for (size_t at = arrived.find("61"); at != std::string::npos; at = arrived.find("61", at + 1)) {
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

  InteractiveProcess frontEnd(frontEndPath(), Terminal::linesWithoutEcho);
  std::string shown = frontEnd.readScreen(firstScreen());
  std::istringstream lines(input);
  for (std::string line; std::getline(lines, line);) {
    frontEnd.send(line + "\r");
    shown += frontEnd.readUntilQuiet(20);
  }
  shown += frontEnd.readToEnd();
  EXPECT_EQ(frontEnd.wait(), 0);
  EXPECT_TRUE(shown == kPasteOn + onTerminal(toUtf8(direct.output)) + kPasteOff)
      << "the front end showed:\n"
      << shown;
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

const std::string kOffer = "リターンキー（または y）で質問に戻ります。q とリターンで終了します　";

// Offered to go back after an error that an answer caused, the user ends
// with q instead.
TEST(Utf8OnATerminal, ExitStatusAndReportPassThrough) {
  for (const Ending& ending : kEndings) {
    TypedSession session;
    session.frontEnd.send(typed(ending.input));
    std::string shown = session.frontEnd.readUntil(ending.status == 0 ? "\x1b[?2004l" : kOffer);
    if (ending.status != 0) session.frontEnd.send("q\r");
    shown += session.frontEnd.readToEnd();
    EXPECT_EQ(session.frontEnd.wait(), ending.status) << ending.input;
    if (ending.status != 0) {
      EXPECT_NE(shown.find("Runtime error " + std::to_string(ending.status) + " at $"),
                std::string::npos)
          << shown;
    }
  }
}

// What the program shows of a calculation's results: from its first result
// line to the pause after them.
std::string resultLines(const std::string& shown) {
  const size_t from = shown.find(kDipoleResult);
  const std::string pause = "リターンキーを押してください";
  const size_t to = shown.find(pause, from);
  return from == std::string::npos || to == std::string::npos ? "" : shown.substr(from, to - from);
}

// The last rows of what the terminal shows, blank rows left out.
std::string lastRows(const std::string& shown, int count) {
  std::istringstream screen(terminalScreen(shown));
  std::vector<std::string> rows;
  for (std::string row; std::getline(screen, row);) {
    if (!row.empty()) rows.push_back(row);
  }
  std::string last;
  for (size_t i = rows.size() - std::min(rows.size(), static_cast<size_t>(count)); i < rows.size();
       ++i) {
    last += rows[i] + "\n";
  }
  return last;
}

// A slip at the dipole's frequency question costs that answer only.
TEST(Utf8GoingBack, AnUnreadableAnswerComesBackForCorrecting) {
  const std::string unbroken =
      onTerminal(toUtf8(runProcess(programPath(), "5\n7.05\n2\n\n0\n").output));
  TypedSession session;
  session.type("5\r", kFrequencyQuestion);
  session.type("1,5\r", kOffer);
  EXPECT_NE(session.shown.find("Runtime error 106 at $"), std::string::npos);
  // It folds full-width digits: its advice names what it cannot fold.
  EXPECT_NE(session.shown.find("コンマ、単位などの英字、二つ目の小数点は使えません"),
            std::string::npos);
  EXPECT_EQ(session.shown.find("半角で入れて"), std::string::npos);
  session.type("\r", kFrequencyQuestion + "\r\r\n1,5");
  EXPECT_TRUE(lastRows(session.shown, 2).ends_with(kFrequencyQuestion + "\n1,5\n"));
  const size_t again = session.shown.size();
  session.type(
      "\x15"
      "7.05\r2\r",
      "リターンキーを押してください");
  EXPECT_EQ(resultLines(session.shown.substr(again)), resultLines(unbroken));
  session.frontEnd.send("\r0\r");
  session.frontEnd.readToEnd();
  EXPECT_EQ(session.frontEnd.wait(), 0);
}

// A program that shows other screens when started again: the replay is
// refused while its run is still under way, which the front end then ends.
TEST(Utf8GoingBack, AReplayThatDiffersIsRefused) {
  InteractiveProcess frontEnd(frontEndWith(probePath("changing_run_probe"), "changing"),
                              Terminal::lines);
  frontEnd.readUntil("run ");
  frontEnd.send("1\r");
  frontEnd.readUntil("question");
  frontEnd.send("x\r");
  frontEnd.readUntil(kOffer);
  frontEnd.send("\r");
  EXPECT_NE(frontEnd.readToEnd().find("同じ答えを渡しても前と同じ画面にならないので"),
            std::string::npos);
  EXPECT_EQ(frontEnd.wait(), 106);
}

// Ctrl-C right after Return at the offer (in the same write, or up to two
// milliseconds later: a tenth of one reached the run started again before
// it had its terminal, and was lost) comes while that run starts or replays
// the answers: it ends the front end by the signal, and is not taken for a
// replay that differs.
TEST(Utf8GoingBack, CtrlCJustAfterGoingBackEndsByTheSignal) {
  for (int microseconds : {0, 100, 200, 300, 500, 1000, 2000}) {
    TypedSession session;
    session.type("5\r", kFrequencyQuestion);
    session.type("1,5\r", kOffer);
    if (microseconds == 0) {
      session.frontEnd.send("\r\x03");
    } else {
      session.frontEnd.send("\r");
      std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
      session.frontEnd.send("\x03");
    }
    const std::string shown = session.frontEnd.readToEnd();
    EXPECT_EQ(shown.find("質問には戻れません"), std::string::npos) << microseconds << " µs";
    EXPECT_EQ(session.frontEnd.wait(), -SIGINT) << microseconds << " µs";
  }
}

void expectSameSettings(const termios& after, const termios& before) {
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(std::string(std::begin(after.c_cc), std::end(after.c_cc)),
            std::string(std::begin(before.c_cc), std::end(before.c_cc)));
}

// The settings that the front end finds on a user's terminal.
termios usersSettings() {
  InteractiveProcess shell("/bin/sh", Terminal::lines, {"-c", "echo set; sleep 10"});
  shell.readUntil("set");
  return shell.terminalSettings();
}

TEST(Utf8OnATerminal, CtrlCEndsTheProgramAndTheFrontEndByTheSignal) {
  const termios before = usersSettings();
  TypedSession session;
  session.type("5\r", kFrequencyQuestion);
  session.type("7.0", "7.0");
  session.frontEnd.send("\x03");
  EXPECT_EQ(session.frontEnd.readToEnd(), "^C" + kPasteOff);
  EXPECT_EQ(session.frontEnd.wait(), -SIGINT);
  expectSameSettings(session.frontEnd.terminalSettings(), before);
}

TEST(Utf8OnATerminal, HangingUpEndsTheProgramAndTheFrontEnd) {
  TypedSession session;
  session.frontEnd.hangUp();
  EXPECT_EQ(session.frontEnd.wait(), -SIGHUP);
}

// An interactive shell with job control on a terminal of its own, its
// prompt ">> ".
struct Shell {
  Shell() : bash("/bin/bash", Terminal::lines, {"--norc", "--noprofile", "-i"}) {
    bash.send("bind 'set enable-bracketed-paste off'; PS1='>''> '\r");
    bash.readUntil(">> ");
  }
  std::string run(const std::string& line) {
    bash.send(line + "\r");
    return bash.readUntil(">> ");
  }
  std::string settings() { return run("stty -g"); }
  // Runs the command line, whose first command is the front end, and starts
  // the dipole calculator with the answer typed.
  void startDipole(const std::string& commandLine, const std::string& answer) {
    bash.send(commandLine + "\r");
    bash.readUntil(kPasteOn);
    bash.send("5\r");
    bash.readUntil(kFrequencyQuestion);
    bash.send(answer);
    bash.readUntil(answer);
  }
  InteractiveProcess bash;
};

TEST(Utf8UnderAShell, CtrlCEndsTheCommandLineAsForAnyProgram) {
  Shell shell;
  const std::string before = shell.settings();
  shell.startDipole(frontEndPath() + "; echo next", "7.0");
  shell.bash.send("\x03");
  const std::string after = shell.bash.readUntil(">> ");
  EXPECT_EQ(after.find("next"), std::string::npos) << after;
  EXPECT_NE(shell.run("echo status $?").find("status 130"), std::string::npos);
  EXPECT_EQ(shell.settings(), before);
}

TEST(Utf8UnderAShell, CtrlZStopsBothAndBgAndFgGoOn) {
  Shell shell;
  const std::string before = shell.settings();
  shell.startDipole(frontEndPath(), "7.0");
  shell.bash.send("\x1a");
  EXPECT_NE(shell.bash.readUntil(">> ").find("Stopped"), std::string::npos);
  EXPECT_EQ(shell.settings(), before);
  // Continued in the background it waits, unseen, for the terminal.
  const std::string background = shell.run("bg");
  EXPECT_EQ(background.find("中心"), std::string::npos) << background;
  // In the foreground again, the question and the line typed so far are
  // drawn again.
  shell.bash.send("fg\r");
  const std::string again = kFrequencyQuestion + "\r\r\n7.0";
  EXPECT_NE(shell.bash.readUntil(again).find(again), std::string::npos);
  shell.bash.send("5\r2\r");
  EXPECT_NE(shell.bash.readUntil(kDipoleResult).find(kDipoleResult), std::string::npos);
  shell.bash.send("\r0\r");
  shell.bash.readUntil(">> ");
  EXPECT_NE(shell.run("echo status $?").find("status 0"), std::string::npos);
}

// The one process that the process started, or 0.
pid_t childOf(pid_t parent) {
  const std::string task = std::to_string(parent);
  std::ifstream children("/proc/" + task + "/task/" + task + "/children");
  pid_t child = 0;
  children >> child;
  return child;
}

bool endsWithin(pid_t process, std::chrono::milliseconds time) {
  const auto deadline = std::chrono::steady_clock::now() + time;
  for (;;) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string id, name, state;
    stat >> id >> name >> state;
    if (state.empty() || state == "Z") return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Stopped by Ctrl-Z, the front end can take no signal in turn; nor can the
// program when someone else stopped it. Either way the signals that end a
// program end both at once, and the shell gets its terminal as it was.
TEST(Utf8UnderAShell, AStoppedFrontEndOrProgramEndsOnKill) {
  struct Case {
    std::vector<std::string> afterCtrlZ;  // none: the program is stopped instead
    int signal;
    const char* reported;
  };
  const Case cases[] = {{{"kill %1"}, SIGTERM, "Terminated"},
                        {{"bg", "kill %1"}, SIGTERM, "Terminated"},
                        {{"kill -HUP %1"}, SIGHUP, "Hangup"},
                        {{}, SIGTERM, "Terminated"},
                        {{}, SIGHUP, "Hangup"}};
  for (const Case& c : cases) {
    Shell shell;
    const std::string before = shell.settings();
    shell.startDipole(frontEndPath(), "7.0");
    const pid_t frontEnd = childOf(shell.bash.processId());
    const pid_t program = childOf(frontEnd);
    ASSERT_NE(program, 0);
    std::string shown;
    if (c.afterCtrlZ.empty()) {
      kill(program, SIGSTOP);
      kill(frontEnd, c.signal);
    } else {
      shell.bash.send("\x1a");
      shell.bash.readUntil(">> ");
      for (const std::string& command : c.afterCtrlZ) shown += shell.run(command);
    }
    EXPECT_TRUE(endsWithin(program, std::chrono::seconds(1))) << c.reported;
    EXPECT_TRUE(endsWithin(frontEnd, std::chrono::seconds(1))) << c.reported;
    // A job's end is reported before a later prompt: two commands on.
    shell.bash.send("stty -g; echo 'fir''st'\r");
    shown += shell.bash.readUntil("first");
    shell.bash.send("echo 'sec''ond'\r");
    shown += shell.bash.readUntil("second");
    EXPECT_NE(shown.find(c.reported), std::string::npos) << shown;
    const std::string settings = before.substr(0, before.find("\r\n>> "));
    EXPECT_NE(shown.find(settings.substr(settings.find('\n') + 1)), std::string::npos) << shown;
    if (!endsWithin(program, std::chrono::seconds(0))) kill(program, SIGKILL);
  }
}

// The window's size as the process's standard input, a terminal, has it.
winsize windowSizeOf(pid_t process) {
  winsize size{};
  const int terminal =
      open(("/proc/" + std::to_string(process) + "/fd/0").c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (terminal < 0) return size;
  ioctl(terminal, TIOCGWINSZ, &size);
  close(terminal);
  return size;
}

// A new window size reaches the program's terminal too; the line typed is
// drawn again for the new width, and the dialogue goes on.
TEST(Utf8OnATerminal, ANewWindowSizeReachesTheProgramAndTheLine) {
  TypedSession session;
  session.type("5\r", kFrequencyQuestion);
  session.type("7.0", "7.0");
  session.frontEnd.setWindowSize(30, 100);
  const std::string redrawn = "\x1b[J7.0";
  EXPECT_NE(session.frontEnd.readUntil(redrawn).find(redrawn), std::string::npos);
  const pid_t program = childOf(session.frontEnd.processId());
  ASSERT_NE(program, 0);
  const winsize size = windowSizeOf(program);
  EXPECT_EQ(size.ws_row, 30);
  EXPECT_EQ(size.ws_col, 100);
  session.frontEnd.send("5\r2\r");
  EXPECT_NE(session.frontEnd.readUntil(kDipoleResult).find(kDipoleResult), std::string::npos);
  session.frontEnd.send("\r0\r");
  EXPECT_EQ(session.frontEnd.wait(), 0);
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

// However a stream is cut into pieces, it converts as it does whole; the
// old five- and six-byte UTF-8 forms, which the C library's decoder waits
// for whole before it refuses them, once overran the bytes held back.
TEST(Utf8OnPipes, StreamsConvertAlikeInPiecesOfAnySize) {
  struct Case {
    Conversion::Direction direction;
    std::string input;
    std::string expected;
  };
  const Case cases[] = {
      {Conversion::Direction::toCodePage932,
       "aＮ\xf8\x88\x80\x80\x80"
       "b\xfc\x84\x80\x80\x80\x80"
       "c\xe3\x81",
       "a\x82\x6d?????b??????c?"},
      {Conversion::Direction::toUtf8, "\x82\x6d\xdb\x81\x60\x82", "Ｎﾛ～?"},
  };
  for (const Case& c : cases) {
    for (size_t pieceSize = 1; pieceSize <= c.input.size(); ++pieceSize) {
      Conversion::Converter converter(c.direction);
      std::string out;
      for (size_t at = 0; at < c.input.size(); at += pieceSize) {
        converter.convert(std::string_view(c.input).substr(at, pieceSize), out);
      }
      converter.flush(out);
      EXPECT_EQ(out, c.expected) << "pieces of " << pieceSize;
    }
  }
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

// However the user's output fails, what the program wrote is lost: the
// front end ends as the program does then, with 101, and says so in one
// line, having written what fitted. Its end once raced with the program's,
// so each case runs several times.
TEST(Utf8OnPipes, FailedOutputEndsWith101AndOneLine) {
  constexpr rlim_t kFileSizeLimit = 2048;
  const std::string input = "5\n7.05\n2\n\n0\n";
  const std::string whole = runProcess(frontEndPath(), input).output;
  ASSERT_GT(whole.size(), kFileSizeLimit);
  const std::string base = testing::TempDir() + "tanshuku-utf8-" + std::to_string(getpid());
  const std::string messages = base + ".messages";
  struct Case {
    const char* output;
    ProcessOptions options;
    bool limitedFile = false;
  };
  Case cases[] = {{"a file at its size limit", {}, true},
                  {"a pipe that nobody reads", {}},
                  {"a closed output", {}}};
  cases[0].options.stdoutPath = base + ".session";
  cases[1].options.unreadStdout = true;
  cases[2].options.closeStdout = true;
  for (Case& c : cases) {
    c.options.inChild = [&messages, limited = c.limitedFile] {
      // Opened where standard output is closed, the file would take its place.
      const int file = open(messages.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(file, STDERR_FILENO);
      close(file);
      const rlimit limit{kFileSizeLimit, kFileSizeLimit};
      if (limited) setrlimit(RLIMIT_FSIZE, &limit);
    };
    for (int run = 0; run < 5; ++run) {
      ProcessResult result = runProcess(frontEndPath(), input, c.options);
      EXPECT_EQ(result.exitCode, 101) << c.output << ", signal " << result.signal;
      const std::string message = readFile(messages);
      EXPECT_TRUE(message.starts_with("tanshuku-utf8: Runtime error 101: standard output"))
          << message;
      EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
      if (c.limitedFile) {
        EXPECT_TRUE(readFile(c.options.stdoutPath) == whole.substr(0, kFileSizeLimit));
      }
    }
  }
}

TEST(Utf8OnPipes, MissingProgramIsOneLineAndStatus127) {
  ProcessResult missing = runWithMessages(frontEndWith("", "alone"), "");
  EXPECT_EQ(missing.exitCode, 127);
  EXPECT_TRUE(missing.output.starts_with("tanshuku-utf8: ")) << missing.output;
  EXPECT_EQ(std::count(missing.output.begin(), missing.output.end(), '\n'), 1) << missing.output;
}

}  // namespace
