// Thousands of generated sessions across every menu entry, each from a seed
// of its own so that any one can be run again alone. Realistic sessions type
// the answers a user would, in the forms the reading rules allow, and must
// end normally at the menu; hostile sessions mix in extreme and malformed
// answers and line ends, and must end in one of the designed ways. Every
// session's output has CR LF line ends only and nothing after a report.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "test_support/designed_ending.hpp"
#include "test_support/process.hpp"
#include "test_support/transcript.hpp"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

#ifdef TANSHUKU_SANITIZE
constexpr int kSessions = 800;  // each sanitized run starts slower
#elif defined(_WIN32)
constexpr int kSessions = 1000;  // each start under Wine is slower
#else
constexpr int kSessions = 5000;
#endif
constexpr std::uint32_t kFirstSeed = 20260101;
// Sessions sent through both builds; TANSHUKU_DIFFERENTIAL_SESSIONS asks for
// another count.
constexpr int kDifferentialSessions = 300;

// Answers that no calculator can take as a sensible value.
const std::vector<std::string> kExtremeReals = {
    "0",
    "-0",
    "-1",
    "-7.05",
    "1e-300",
    "1e300",
    "1.7976931348623157e308",
    "1e308",
    "1e309",
    "-1e309",
    "4.9e-324",
    "1e-400",
    "2.5e-320",
    "1e4931",
    "1e4933",
    "0e10000",
    "1e-10000",
    std::string(300, '9'),
    std::string(254, '0') + "1",
    "0.000000000000000000001",
    "123456789012345678901234567890",
    "65536",
    "1e-5",
    "1e5",
    "abc",
    "",
    "   ",
    "7.05MHz",
    "\x82\x50\x82\x51",
    ".",
    "+",
    "-",
    "1e",
    "1e+",
    "$10",
    "1,5",
    "--1",
    "\x1a",
    std::string("7\0.5", 4),
    "\x81\x40"
    "7",
    "\xff",
    "7.05 MHz \x1a",
};
const std::vector<std::string> kExtremeIntegers = {
    "32767",        "32768",      "65535",
    "65537",        "65542",      "-32769",
    "2147483647",   "2147483648", "-2147483648",
    "$FFFFFFFF",    "0x7fffffff", "%" + std::string(32, '1'),
    "&37777777777", "x10",        "1.5",
    "1e3",          "",           "\x1a",
    "abc",          "-0",         std::string(40, '0') + "4",
    "\xff",
};
const std::vector<std::string> kExtremeChars = {"",     " ",    "\x1a", std::string(1, '\0'),
                                                "\xff", "NNNN", "\t"};
const std::vector<std::string> kExtremePauses = {
    "", std::string(1000, 'x'), "\x1a", std::string(2, '\0'), "\xff\xfe", "0"};

class SessionGenerator {
 public:
  SessionGenerator(std::uint32_t seed, bool realistic) : random_(seed), realistic_(realistic) {}

  std::string session() {
    int entries = 1 + below(8);
    for (int i = 0; i < entries; ++i) entry(realistic_ || chance(0.8) ? 1 + below(6) : 7);
    if (realistic_ || chance(0.5)) {
      menu(0);
    } else if (chance(0.5)) {
      answer(oneOf({"\x1a", "abc", "0.5", "-", "\xff"}));
    }  // otherwise the input just ends
    return input_;
  }

 private:
  std::uint32_t below(std::uint32_t count) {
    return count == 0 ? 0 : static_cast<std::uint32_t>(random_() % count);
  }
  bool chance(double probability) { return below(1000000) < probability * 1000000; }
  std::string oneOf(const std::vector<std::string>& choices) {
    return choices[below(static_cast<std::uint32_t>(choices.size()))];
  }
  bool extreme() { return !realistic_ && chance(0.12); }

  void answer(const std::string& line) {
    input_ += line;
    if (realistic_) {
      input_ += "\n";
    } else {
      input_ += chance(0.8) ? "\n" : chance(0.6) ? "\r\n" : "\r";
    }
  }

  // Blank lines are skipped while a number is awaited.
  void blankLinesBefore() {
    if (chance(0.1)) input_ += chance(0.5) ? "\n" : "   \r\n";
  }

  // A value between low and high with up to three decimals, typed in one of
  // the forms the reader accepts; returns the value as typed.
  double real(double low, double high) {
    if (extreme()) {
      answer(oneOf(kExtremeReals));
      return std::nan("");
    }
    int decimals = static_cast<int>(below(4));
    double scale = std::pow(10.0, decimals);
    auto units = static_cast<long long>(std::ceil(low * scale)) +
                 below(static_cast<std::uint32_t>((high - low) * scale));
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(units) / scale);
    std::string number = text;
    switch (below(6)) {
      case 0: number = "+" + number; break;
      case 1: number = "  " + number; break;
      case 2: number += " " + oneOf({"MHz", "mm", "m", "uH", "ok"}); break;
      case 3: number = std::to_string(units) + "e-" + std::to_string(decimals); break;
      default: break;
    }
    blankLinesBefore();
    answer(number);
    return std::strtod(text, nullptr);
  }

  void integer(int value) {
    blankLinesBefore();
    if (extreme()) {
      answer(oneOf(kExtremeIntegers));
      return;
    }
    char text[32];
    switch (below(6)) {
      case 0: std::snprintf(text, sizeof text, "$%X", value); break;
      case 1: std::snprintf(text, sizeof text, "0x%x", value); break;
      case 2: std::snprintf(text, sizeof text, "&%o", value); break;
      case 3: std::snprintf(text, sizeof text, "%d", value + 65536); break;  // low 16 bits
      default: std::snprintf(text, sizeof text, "%d", value); break;
    }
    answer(text);
  }

  void menu(int choice) { integer(choice); }

  // Returns the byte the program takes: centre loading for N or n.
  bool centreLoading() {
    if (extreme()) {
      answer(oneOf(kExtremeChars));
      return false;
    }
    std::string line = oneOf({"Y", "y", "N", "n", "", "yes", "no", "N please"});
    answer(line);
    return !line.empty() && (line[0] == 'N' || line[0] == 'n');
  }

  void pause() { answer(extreme() ? oneOf(kExtremePauses) : chance(0.9) ? "" : "ok"); }

  void entry(int choice) {
    menu(choice);
    switch (choice) {
      case 1: loadingCoil(); break;
      case 2: coil(); break;
      case 3: impedance(); break;
      case 4: efficiency(); break;
      case 5: dipole(); break;
      case 6:
        pause();
        pause();
        pause();
        break;
      default: break;  // the menu shows again
    }
  }

  void loadingCoil() {
    pause();
    real(0.5, 30);  // diameter, mm
    double lengthM = real(0.5, 15);
    double frequencyMhz = real(1.8, 30);
    bool centre = centreLoading();
    bool refused = lengthM > 300.0L / frequencyMhz / 4.0L;
    if (centre && !refused) real(0.1, std::isnan(lengthM) ? 5 : lengthM);  // the tip's length
    pause();
  }

  void coil() {
    while (chance(0.1)) {  // 0 asks for the help screen, which starts again
      answer("0");
      pause();
    }
    real(2, 50);   // radius, mm
    real(5, 300);  // length, mm
    real(1, 100);  // permeability
    if (chance(0.5)) {
      real(0.5, 500);  // wanted inductance, uH: the turns it needs
    } else {
      answer("0");  // the inductance of a number of turns
      real(1, 200);
      if (chance(0.5)) {
        answer("0");  // close-wound
      } else {
        double wireMm = 0.3 + below(1700) / 1000.0;
        char pitch[32], wire[32];
        std::snprintf(pitch, sizeof pitch, "%.3f", wireMm * (1.0 + below(1000) / 1000.0));
        std::snprintf(wire, sizeof wire, "%.3f", wireMm);
        answer(pitch);
        answer(wire);
      }
    }
    pause();
  }

  void impedance() {
    pause();
    real(1.8, 54);  // MHz
    real(0.5, 20);  // length, m
    real(0.5, 50);  // diameter, mm
    pause();
  }

  void efficiency() {
    int bands = static_cast<int>(below(11));
    integer(bands);
    if (bands >= 1 && bands <= 8) pause();  // the guide for that many bands
    real(1.8, 30);                          // MHz
    real(0.1, 5);                           // L1, m
    real(0.1, 5);                           // L2, m
    pause();
  }

  void dipole() {
    real(1.8, 150);  // MHz
    real(0.5, 50);   // diameter, mm
    pause();
  }

  std::mt19937 random_;
  bool realistic_;
  std::string input_;
};

// The input in C notation, for a failure message.
std::string escaped(const std::string& bytes) {
  std::string text;
  for (unsigned char byte : bytes) {
    if (byte == '\n') {
      text += "\\n";
    } else if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      text += static_cast<char>(byte);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      text += hex;
    }
  }
  return text;
}

// The check that every session goes through, on real endings and on each
// way an ending can be wrong.
TEST(DesignedEnding, TellsEachWayARunCanGoWrong) {
  ProcessResult normal = runProcess(programPath(), "6\n\n\n\n0\n");
  ProcessResult fault = runProcess(programPath(), "6\n\n\n\nabc\n");
  ASSERT_EQ(undesignedEnding(normal), "");
  ASSERT_EQ(undesignedEnding(fault), "");
  ASSERT_EQ(fault.exitCode, 106);

  auto changed = [](ProcessResult result, auto change) {
    change(result);
    return undesignedEnding(result);
  };
  EXPECT_EQ(changed(normal,
                    [](ProcessResult& r) {
                      r.signal = SIGSEGV;
                      r.exitCode = -1;
                    }),
            "killed by signal 11");
  EXPECT_EQ(changed(normal, [](ProcessResult& r) { r.exitCode = 1; }), "exit code 1");
  EXPECT_EQ(changed(fault, [](ProcessResult& r) { r.exitCode = 216; }), "exit code 216");
  EXPECT_NE(changed(normal, [](ProcessResult& r) { r.output.insert(100, "\n"); }), "");
  EXPECT_NE(changed(normal, [](ProcessResult& r) { r.output.insert(100, "\r"); }), "");
  EXPECT_NE(changed(normal, [](ProcessResult& r) { r.output.resize(r.output.size() - 3); }), "");
  EXPECT_NE(changed(fault, [](ProcessResult& r) { r.output += " "; }), "");
  EXPECT_NE(changed(fault, [](ProcessResult& r) { r.output.resize(r.output.size() - 2); }), "");
  EXPECT_NE(changed(fault, [](ProcessResult& r) { r.exitCode = 200; }), "");
  EXPECT_NE(
      changed(fault,
              [](ProcessResult& r) { r.output += r.output.substr(r.output.find("Runtime")); }),
      "");
  EXPECT_NE(changed(fault, [](ProcessResult& r) { r.exitCode = 0; }), "");
  EXPECT_NE(changed(normal, [](ProcessResult& r) { r.exitCode = 106; }), "");
}

TEST(RandomSessions, EveryGeneratedSessionEndsInADesignedWay) {
  std::map<int, int> endings;
  int failures = 0;
  for (int index = 0; index < kSessions && failures < 10; ++index) {
    std::uint32_t seed = kFirstSeed + static_cast<std::uint32_t>(index);
    bool realistic = index % 3 == 0;
    std::string input = SessionGenerator(seed, realistic).session();
    ProcessResult result = runProcess(programPath(), input);
    std::string fault = undesignedEnding(result);
    if (fault.empty() && realistic && result.exitCode != 0) {
      fault = "a realistic session ended with " + std::to_string(result.exitCode);
    }
    if (!fault.empty()) {
      ++failures;
      ADD_FAILURE() << "session seed " << seed << (realistic ? " (realistic)" : "") << ": " << fault
                    << "\n  input: " << escaped(input);
    }
    ++endings[result.exitCode];
  }
  // The hostile sessions reach every designed ending.
  for (int exitCode : kInputEndings) EXPECT_GT(endings[exitCode], 0) << "exit code " << exitCode;
  for (auto [exitCode, count] : endings) std::cout << "exit " << exitCode << ": " << count << "\n";
}

#ifndef _WIN32
// Sends generated sessions through this build and another (run by the given
// program and arguments) and expects the same bytes, report locations aside,
// and the same exit codes. TANSHUKU_DIFFERENTIAL_SESSIONS asks for another
// count.
void expectTheSameAnswers(const std::string& other, const ProcessOptions& options) {
  const char* asked = std::getenv("TANSHUKU_DIFFERENTIAL_SESSIONS");
  int sessions = asked != nullptr ? std::atoi(asked) : kDifferentialSessions;
  int differences = 0;
  std::map<int, int> endings;
  for (int index = 0; index < sessions && differences < 10; ++index) {
    std::uint32_t seed = kFirstSeed + static_cast<std::uint32_t>(index);
    std::string input = SessionGenerator(seed, index % 3 == 0).session();
    ProcessResult here = runProcess(programPath(), input);
    ProcessResult there = runProcess(other, input, options);
    ++endings[here.exitCode];
    if (normaliseReport(here.output) != normaliseReport(there.output) ||
        here.exitCode != there.exitCode) {
      ++differences;
      ADD_FAILURE() << "session seed " << seed << ": exit " << here.exitCode << " here, "
                    << there.exitCode << " there\n  input: " << escaped(input);
    }
  }
  std::cout << sessions << " sessions through both builds, " << differences << " differences\n";
  for (auto [exitCode, count] : endings) std::cout << "exit " << exitCode << ": " << count << "\n";
}

// The Windows build, run under Wine, answers every generated session as this
// build does.
TEST(RandomSessions, TheWindowsBuildAnswersAlike) {
  const std::string windowsBuild = TANSHUKU_WINDOWS_BUILD_DIR;
  if (access((windowsBuild + "/tanshuku.exe").c_str(), X_OK) != 0 ||
      access("/usr/lib/wine/wine64", X_OK) != 0) {
    GTEST_SKIP() << "needs wine64 and the Windows build in " << windowsBuild
                 << " (cmake --workflow --preset windows)";
  }
  ProcessOptions underWine;
  underWine.arguments = {windowsBuild + "/wine", windowsBuild + "/tanshuku.exe"};
  expectTheSameAnswers(TANSHUKU_UNDER_WINE, underWine);
}

// A change that must not alter one byte: the program built before it, named
// by TANSHUKU_EARLIER_PROGRAM, answers every generated session as this one.
TEST(RandomSessions, AnEarlierBuildAnswersAlike) {
  const char* earlier = std::getenv("TANSHUKU_EARLIER_PROGRAM");
  if (earlier == nullptr) GTEST_SKIP() << "TANSHUKU_EARLIER_PROGRAM names no earlier build";
  expectTheSameAnswers(earlier, {});
}
#endif

}  // namespace
