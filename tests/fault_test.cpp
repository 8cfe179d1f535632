// Run-time errors: the number each fault ends the program with, the report's
// form and place in the output, and what its locations name.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <regex>
#include <sstream>

#include "test_support/interactive.hpp"
#include "test_support/process.hpp"
#include "test_support/report.hpp"

#ifdef _WIN32
#include <windows.h>

#include "test_support/windows_child.hpp"
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// This machine's files, as its own programs see them: without Wine's drive.
std::string hostPath(const std::string& path) { return path.substr(2); }
// How addr2line names a function of the probe's anonymous namespace: the
// PE's debugging information gives it without namespace and parameters.
std::string inProbe(const std::string& function) { return function + "\n"; }
// What a read of a closed standard input and of a folder fail with.
constexpr int kClosedInputError = ERROR_INVALID_HANDLE;
constexpr int kFolderInputError = ERROR_INVALID_FUNCTION;
const std::string kFolder = "C:/windows";
#else
std::string inProbe(const std::string& function) {
  return "(anonymous namespace)::" + function + "()\n";
}
constexpr int kClosedInputError = EBADF;
constexpr int kFolderInputError = EISDIR;
const std::string kFolder = "/";
#endif

size_t callerLines(const Report& report) { return report.locations.size() - 1; }

// What addr2line says about a location: function names and source lines,
// the functions the code was inlined into included.
#ifdef _WIN32
// Wine starts this machine's own programs but does not hand them its pipes:
// the answer comes back through a file, complete once it has its name.
std::string describe(const std::string& executable, const std::string& location) {
  std::string answer = std::string(TANSHUKU_BUILD_DIR) + "/addr2line-" +
                       std::to_string(GetCurrentProcessId()) + "-" + location;
  DeleteFileA(answer.c_str());
  ProcessOptions options;
  options.arguments = {"-c", TANSHUKU_ADDR2LINE " -f -C -i -e '" + hostPath(executable) + "' 0x" +
                                 location + " >'" + hostPath(answer) + ".part' && mv '" +
                                 hostPath(answer) + ".part' '" + hostPath(answer) + "'"};
  runProcess("Z:/bin/sh", "", options);
  for (int waited = 0;
       waited < 10000 && GetFileAttributesA(answer.c_str()) == INVALID_FILE_ATTRIBUTES;
       waited += 10) {
    Sleep(10);
  }
  std::ostringstream text;
  text << std::ifstream(answer).rdbuf();
  DeleteFileA(answer.c_str());
  return text.str();
}
#else
std::string describe(const std::string& executable, const std::string& location) {
  ProcessOptions options;
  options.arguments = {"-f", "-C", "-i", "-e", executable, "0x" + location};
  return runProcess(TANSHUKU_ADDR2LINE, "", options).output;
}
#endif

ProcessResult runProbe(const std::string& mode, const std::string& input) {
  ProcessOptions options;
  options.arguments = {mode};
  return runProcess(probePath("fault_probe"), input, options);
}

struct FaultCase {
  const char* name;
  const char* mode;
  const char* input;
  int number;
  bool memoryFault;  // left to the sanitizer in its build
};

void PrintTo(const FaultCase& fault, std::ostream* out) {
  *out << fault.mode << " -> " << fault.number;
}

class FaultNumber : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultNumber, EndsWithTheReportRightAfterTheTextBeforeTheFault) {
  const FaultCase& fault = GetParam();
#ifdef TANSHUKU_SANITIZE
  if (fault.memoryFault) GTEST_SKIP() << "the sanitizer reports memory faults";
#endif
  ProcessResult result = runProbe(fault.mode, fault.input);
  Report report = reportIn(result.output);
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, fault.number);
  EXPECT_EQ(report.number, fault.number) << result.output;
  EXPECT_EQ(report.textBefore, "before\r\n");
}

const FaultCase kFaultCases[] = {
    {"DivisionByZero", "divide", "1\n0\n", 200, false},
    {"ZeroByZero", "divide", "0\n0\n", 207, false},
    {"QuotientBeyondDouble", "divide", "1e300\n1e-300\n", 205, false},
    {"PowerBeyondExtended", "raise", "1e300\n", 205, false},
    {"LogarithmOfZero", "log", "0\n", 200, false},
    {"LogarithmOfNegative", "log", "-1\n", 207, false},
    {"SquareRootOfNegative", "sqrt", "-1\n", 207, false},
#if defined(__x86_64__)
    // 64-bit ARM divides integers by zero without a fault; the program has
    // no integer division whose divisor can be zero.
    {"IntegerDivisionByZero", "divide-integers", "0\n", 200, false},
#endif
    {"ReadBeyondDouble", "read", "1e400\n", 205, false},
    {"ReadNotANumber", "read", "abc\n", 106, false},
    // What GCC puts where the code must never arrive: ud2 on x86-64, a
    // breakpoint instruction on 64-bit ARM.
    {"IllegalInstruction", "illegal", "", 216, false},
#if defined(__aarch64__)
    {"UndefinedInstruction", "undefined", "", 216, false},
#endif
    {"BadMemoryAccess", "memory", "", 216, true},
    {"PrivilegedInstruction", "privileged", "", 218, true},
    {"StackOverflow", "stack", "", 202, true},
};

INSTANTIATE_TEST_SUITE_P(Faults, FaultNumber, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<FaultCase>& param) {
                           return std::string(param.param.name);
                         });

// The line of the probe's source that holds text.
std::string probeLine(const std::string& text) {
  std::ifstream source(std::string(TANSHUKU_TRANSCRIPT_DIR) + "/../probes/fault_probe.cpp");
  std::string line;
  for (int number = 1; std::getline(source, line); ++number) {
    if (line.find(text) != std::string::npos) return std::to_string(number);
  }
  return "none";
}

struct FormulaFault {
  const char* mode;
  const char* input;
  int number;
  const char* formula;  // the text of the line that faults
};

TEST(FaultReport, NamesTheLineOfTheFormulaThatFaultedAndEndsAtMain) {
  // A fault inside the C library's logarithm shows up inside it (reported at
  // its call) or, where the library returns with the fault still pending, at
  // the store of its result: either way on the formula's line.
  for (const FormulaFault& fault :
       {FormulaFault{"log", "0\n", 200, "stored(Arithmetic::log(left))"},
        FormulaFault{"sqrt", "-1\n", 207, "stored(Arithmetic::sqrt(left))"},
        FormulaFault{"divide", "1\n0\n", 200, "stored(static_cast<Extended>(left) / right)"},
        FormulaFault{"raise", "1e300\n", 205, "power *= power"}}) {
    Report report = reportIn(runProbe(fault.mode, fault.input).output);
    ASSERT_EQ(report.number, fault.number) << fault.mode;
    std::string probe = probePath("fault_probe");
    const std::regex formulaLine("fault_probe\\.cpp:" + probeLine(fault.formula) + "\\b");
    std::string place = describe(probe, report.locations.front());
    EXPECT_TRUE(std::regex_search(place, formulaLine)) << fault.mode << ": " << place;
    EXPECT_EQ(callerLines(report), 1u) << fault.mode;
    EXPECT_TRUE(describe(probe, report.locations.back()).starts_with("main\n")) << fault.mode;
  }
}

// A division by zero on x86-64; an access of the memory at address 16 on
// 64-bit ARM, which divides without a fault.
#if defined(__aarch64__)
const FaultCase kFaultInLibrary{"", "fault-in-library", "16\n", 216, true};
#else
const FaultCase kFaultInLibrary{"", "fault-in-library", "0\n", 200, false};
#endif

TEST(FaultReport, AFaultInsideTheCLibraryIsReportedAtTheLineThatCalledIt) {
#ifdef TANSHUKU_SANITIZE
  if (kFaultInLibrary.memoryFault) GTEST_SKIP() << "the sanitizer reports memory faults";
#endif
  Report report = reportIn(runProbe(kFaultInLibrary.mode, kFaultInLibrary.input).output);
  ASSERT_EQ(report.number, kFaultInLibrary.number);
  std::string probe = probePath("fault_probe");
  std::string place = describe(probe, report.locations.front());
  EXPECT_TRUE(place.starts_with(inProbe("faultInLibrary"))) << place;
  EXPECT_EQ(callerLines(report), 1u);
  EXPECT_TRUE(describe(probe, report.locations.back()).starts_with("main\n"));
}

TEST(FaultReport, AFaultInsideAReadIsReportedAtTheReadsCaller) {
  Report report = reportIn(runProbe("read", "1e400\n").output);
  ASSERT_EQ(report.number, 205);
  std::string place = describe(probePath("fault_probe"), report.locations.front());
  EXPECT_TRUE(place.starts_with(inProbe("readNumber"))) << place;
}

TEST(FaultReport, ANonNumberAtTheMenuIsReportedAtTheMenuAndItsCallerMain) {
  ProcessResult result = runProcess(programPath(), "abc\n");
  Report report = reportIn(result.output);
  ASSERT_EQ(report.number, 106);
  ASSERT_EQ(report.locations.size(), 2u);
  EXPECT_TRUE(describe(programPath(), report.locations[0]).starts_with("MainMenu::run()\n"));
  EXPECT_TRUE(describe(programPath(), report.locations[1]).starts_with("main\n"));
}

TEST(FaultReport, ShowsAtMost257CallersOnAPipeAndNineOnAConsole) {
  Report piped = reportIn(runProbe("deep", "1\n0\n").output);
  EXPECT_EQ(piped.number, 200);
  EXPECT_EQ(callerLines(piped), 257u);

#ifdef _WIN32
  GTEST_SKIP() << kNoPseudoTerminalOnWindows;
#endif
  InteractiveProcess console(probePath("fault_probe"), InteractiveProcess::Terminal::pseudo,
                             {"deep"});
  console.send("1\n0\n");
  Report shown = reportIn(console.readToEnd());
  EXPECT_EQ(console.wait(), 200);
  EXPECT_EQ(shown.number, 200);
  EXPECT_EQ(shown.textBefore, "before\r\n");
  EXPECT_EQ(callerLines(shown), 9u);
}

TEST(FaultReport, MakingTheReportAllocatesNoMemory) {
#ifdef _WIN32
  GTEST_SKIP() << "the probe wraps the C library's allocator at link time, which only a "
                  "Linux build can";
#endif
#ifdef TANSHUKU_SANITIZE
  GTEST_SKIP() << "the sanitizer's allocator replaces the one the probe wraps";
#endif
  ProcessResult result = runProcess(probePath("allocation_probe"), "abc\n");
  EXPECT_EQ(result.exitCode, 106);
  EXPECT_EQ(reportIn(result.output).number, 106);
}

TEST(OutputFailure, EndsWith101WhereverStandardOutputRefuses) {
  ProcessOptions closed;
  closed.closeStdout = true;
  ProcessResult result = runProcess(programPath(), "0\n", closed);
  EXPECT_EQ(result.exitCode, 101);

  ProcessOptions unread;
  unread.unreadStdout = true;
  result = runProcess(programPath(), "", unread);
  EXPECT_EQ(result.signal, 0) << "killed by a signal instead of ending with 101";
  EXPECT_EQ(result.exitCode, 101);

#ifdef _WIN32
  GTEST_SKIP() << "a full disk needs a device like /dev/full, which Windows lacks";
#endif
  ProcessOptions full;
  full.stdoutPath = "/dev/full";
  result = runProcess(programPath(), "0\n", full);
  EXPECT_EQ(result.exitCode, 101);
}

#ifdef _WIN32
// Windows' side of HostileSurroundings.AReaderThatGoesAwayMidDialogueEndsWith101:
// the first block of the menu arrives while the program waits for its
// answer; then the reader leaves and the answers come.
TEST(OutputFailure, AReaderThatGoesAwayMidDialogueEndsWith101) {
  ChildPipe in = makeChildPipe(ChildEnd::reads);
  ChildPipe out = makeChildPipe(ChildEnd::writes);
  PROCESS_INFORMATION child = startChild(programPath(), {}, in.childEnd, out.childEnd);
  CloseHandle(in.childEnd);
  CloseHandle(out.childEnd);
  char block[256];
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(out.testEnd, block, sizeof block, &got, nullptr));
  EXPECT_EQ(got, sizeof block);
  CloseHandle(out.testEnd);
  std::string answers;
  for (int visit = 0; visit < 3; ++visit) answers += "6\n\n\n\n";
  answers += "0\n";
  // Unless the rest of the menu already found no reader and the program
  // has ended: Wine's pipes may hold less than a menu.
  DWORD put = 0;
  WriteFile(in.testEnd, answers.data(), static_cast<DWORD>(answers.size()), &put, nullptr);
  CloseHandle(in.testEnd);
  EXPECT_EQ(waitForChild(child.hProcess), 101);
}
#endif

TEST(InputFailure, EndsWithTheSystemsErrorCodeAfterTheMenu) {
  std::string menu = runProcess(programPath(), "").output;
  ASSERT_TRUE(menu.ends_with(" \r\n"));
  menu.resize(menu.size() - 3);  // the blank line that follows the answer

  ProcessOptions closed;
  closed.closeStdin = true;
  ProcessResult result = runProcess(programPath(), "", closed);
  EXPECT_EQ(result.exitCode, kClosedInputError);
  Report report = reportIn(result.output);
  EXPECT_EQ(report.number, kClosedInputError);
  EXPECT_EQ(report.textBefore, menu);

  ProcessOptions directory;
  directory.stdinPath = kFolder;
  result = runProcess(programPath(), "", directory);
  EXPECT_EQ(result.exitCode, kFolderInputError);
  EXPECT_EQ(reportIn(result.output).number, kFolderInputError);
}

#ifndef _WIN32
// Started alone on a console of its own, as after a double-click (under
// Wine, on a terminal), the Windows build keeps its window after a run-time
// error: the report, what went wrong in Japanese, and it ends only once a
// key is pressed.
TEST(FaultReport, TheWindowsBuildsOwnWindowStaysUntilAKey) {
  const std::string windowsBuild = TANSHUKU_WINDOWS_BUILD_DIR;
  if (access((windowsBuild + "/tanshuku.exe").c_str(), X_OK) != 0 ||
      access("/usr/lib/wine/wine64", X_OK) != 0) {
    GTEST_SKIP() << "needs wine64 and the Windows build in " << windowsBuild;
  }
  InteractiveProcess window(TANSHUKU_UNDER_WINE, InteractiveProcess::Terminal::pseudo,
                            {windowsBuild + "/wine", windowsBuild + "/tanshuku.exe"});
  // A prefix that Wine sets up first takes a minute or two.
  std::string menu;
  for (int tries = 0; tries < 12 && menu.find("終了します") == std::string::npos; ++tries) {
    menu += window.readUntil("終了します");
  }
  window.send("abc\r");
  const std::string shown = window.readUntil("閉じます");
  EXPECT_NE(shown.find("Runtime error 106 at $"), std::string::npos) << shown;
  EXPECT_NE(shown.find("答えを数値として読めませんでした。"), std::string::npos) << shown;
  // The console reads half-width only, and says so.
  EXPECT_NE(shown.find("数字は半角で入れてください"), std::string::npos) << shown;
  window.readUntilQuiet(1000);
  EXPECT_FALSE(window.hasEnded());
  window.send("x");
  EXPECT_EQ(window.wait(), 106);
}
#endif

}  // namespace
