// Input no user should type: endless lines, endless blank lines, control
// bytes and non-ASCII bytes inside numbers, and input that stops in the
// middle of any question. Each run must end in a designed way, and where the
// reading rules say what such input means, exactly as the plain input that
// means the same.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "test_support/designed_ending.hpp"
#include "test_support/process.hpp"
#include "test_support/session.hpp"

namespace {

using namespace std::string_literals;

#ifndef _WIN32
// Streams the pieces in order, each repeated as often as given.
ProcessResult runPieces(const std::vector<std::pair<std::string, size_t>>& pieces) {
  size_t piece = 0;
  size_t repeated = 0;
  ProcessOptions streamed;
  streamed.timeoutSeconds = 120;
  streamed.moreInput = [&](std::string& chunk) {
    while (piece < pieces.size() && repeated == pieces[piece].second) {
      ++piece;
      repeated = 0;
    }
    if (piece == pieces.size()) return;
    chunk = pieces[piece].first;
    ++repeated;
  };
  return runProcess(programPath(), "", streamed);
}
#endif

#ifdef _WIN32
const char* const kNoStreaming =
    "compares the child's peak memory, which the Windows process runner does not measure";
#endif

// The memory a run may take beyond the plain run of the same dialogue.
constexpr long kFlatMemoryKb = 1024;

const std::string kDipoleAnswers = "7.05\n2\n\n";
const std::string kDipole = "5\n" + kDipoleAnswers + "0\n";

TEST(HostileInput, LinesOfTenMegabytesAreCutAt255BytesAndTheRestDiscarded) {
#ifdef _WIN32
  GTEST_SKIP() << kNoStreaming;
#else
  constexpr size_t kBlock = 64 * 1024;
  constexpr size_t kBlocks = 10 * 1024 * 1024 / kBlock;
  // 255 bytes make the answer 5; had a 256th byte been taken it would be 59.
  const std::string menuAnswer = std::string(254, '0') + "5";
  // 7.05 and zeros to 255 bytes; ones after them would change the value.
  const std::string frequency = "7.05" + std::string(251, '0');
  ProcessResult plain = runPieces({{kDipole, 1}});
  ProcessResult huge = runPieces({{menuAnswer, 1},
                                  {std::string(kBlock, '9'), kBlocks},
                                  {"\n" + frequency, 1},
                                  {std::string(kBlock, '1'), kBlocks},
                                  {"\n2\n", 1},
                                  {std::string(kBlock, 'x'), kBlocks},  // the pause's line
                                  {"\n0\n", 1}});
  EXPECT_EQ(undesignedEnding(huge), "");
  EXPECT_EQ(huge.exitCode, 0);
  EXPECT_TRUE(huge.output == plain.output);
  EXPECT_LT(huge.peakMemoryKb - plain.peakMemoryKb, kFlatMemoryKb)
      << "plain run " << plain.peakMemoryKb << " kB";
#endif
}

TEST(HostileInput, HundredsOfMegabytesOfBlankLinesLeaveTheQuestionWaiting) {
#ifdef _WIN32
  GTEST_SKIP() << kNoStreaming;
#else
  // Empty lines, blanks, tabs, lone CRs and NUL bytes: all are skipped
  // while a number is awaited.
  std::string blanks;
  while (blanks.size() < 64 * 1024) blanks += "\n\r\n \r\n\t\t\n   \r\r\n\0\n"s;
#ifdef TANSHUKU_SANITIZE
  constexpr size_t kMegabytes = 200;  // the sanitized reader is slower
#else
  constexpr size_t kMegabytes = 320;
#endif
  const size_t repeats = kMegabytes * 1024 * 1024 / blanks.size();
  ProcessResult plain = runPieces({{kDipole, 1}});
  // Two thirds at the menu, a third at the dipole's first question.
  ProcessResult blank = runPieces(
      {{blanks, repeats * 2 / 3}, {"5\n", 1}, {blanks, repeats / 3}, {kDipoleAnswers + "0\n", 1}});
  EXPECT_EQ(undesignedEnding(blank), "");
  EXPECT_TRUE(blank.output == plain.output);
  EXPECT_LT(blank.peakMemoryKb - plain.peakMemoryKb, kFlatMemoryKb)
      << "plain run " << plain.peakMemoryKb << " kB";
#endif
}

// Runs each input once, however often it is asked for.
class Runs {
 public:
  const ProcessResult& of(const std::string& input) {
    auto found = results_.find(input);
    if (found == results_.end()) {
      found = results_.emplace(input, runProcess(programPath(), input)).first;
    }
    return found->second;
  }

 private:
  std::map<std::string, ProcessResult> results_;
};

// A number of the session at which hostile bytes are put: its line, and the
// input before and after that line.
struct NumberPlace {
  const char* name;
  std::string before;
  std::string number;
  std::string after;
};

// The menu's answer (hexadecimal 5: the dipole) and the dipole's frequency,
// each written with every part its syntax allows.
const NumberPlace kPlaces[] = {
    {"menu answer", "", "+0x5", "\n7.05\n2\n\n0\n"},
    {"frequency", "5\n", "+7.05e+0", "\n2\n\n0\n"},
};

void expectSameRun(Runs& runs, const std::string& hostile, const std::string& plain,
                   const std::string& what) {
  const ProcessResult& got = runs.of(hostile);
  const ProcessResult& expected = runs.of(plain);
  EXPECT_EQ(undesignedEnding(got), "") << what;
  EXPECT_EQ(got.exitCode, expected.exitCode) << what;
  EXPECT_TRUE(got.output == expected.output) << what;
}

std::string at(const std::string& number, size_t position) {
  return " at byte " + std::to_string(position) + " of " + number;
}

TEST(HostileInput, NulByteInANumberEndsItLikeABlank) {
  Runs runs;
  for (const NumberPlace& place : kPlaces) {
    const std::string& number = place.number;
    for (size_t i = 0; i <= number.size(); ++i) {
      std::string hostile = number.substr(0, i) + '\0' + number.substr(i);
      // In front the NUL is skipped; inside, the number ends there.
      std::string plain = i == 0 ? number : number.substr(0, i);
      expectSameRun(runs, place.before + hostile + place.after, place.before + plain + place.after,
                    std::string(place.name) + ": NUL" + at(number, i));
    }
  }
}

TEST(HostileInput, LoneCrInANumberEndsTheLine) {
  Runs runs;
  for (const NumberPlace& place : kPlaces) {
    const std::string& number = place.number;
    for (size_t i = 0; i < number.size(); ++i) {  // a CR at the end would pair with the LF
      std::string hostile = number.substr(0, i) + '\r' + number.substr(i);
      std::string plain = number.substr(0, i) + '\n' + number.substr(i);
      expectSameRun(runs, place.before + hostile + place.after, place.before + plain + place.after,
                    std::string(place.name) + ": CR" + at(number, i));
    }
  }
}

TEST(HostileInput, CtrlZInANumberEndsTheInputThere) {
  Runs runs;
  for (const NumberPlace& place : kPlaces) {
    const std::string& number = place.number;
    for (size_t i = 0; i <= number.size(); ++i) {
      std::string hostile = number.substr(0, i) + '\x1a' + number.substr(i);
      expectSameRun(runs, place.before + hostile + place.after, place.before + number.substr(0, i),
                    std::string(place.name) + ": Ctrl-Z" + at(number, i));
    }
  }
}

TEST(HostileInput, EveryByteFrom0x80To0xFFMakesANumberInvalid) {
  Runs runs;
  for (const NumberPlace& place : kPlaces) {
    const std::string& number = place.number;
    const std::string invalid = place.before + "?" + place.after;
    ASSERT_EQ(runs.of(invalid).exitCode, 106);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      size_t i = static_cast<size_t>(byte) % (number.size() + 1);
      std::string hostile = number.substr(0, i) + static_cast<char>(byte) + number.substr(i);
      expectSameRun(runs, place.before + hostile + place.after, invalid,
                    std::string(place.name) + ": byte " + std::to_string(byte) + at(number, i));
    }
  }
}

// A session through every entry and every branch of the dialogues, each
// answer with the exit code that follows when the input ends in front of it.
// The end of the input reads as 0 at the menu (a normal end) and at the band
// count, as Ctrl-Z at Y or N (base loading) and ends a pause; a number
// awaited with nothing left ends with 106.
struct CutPoint {
  Answer answer;
  int exitWhenInputEndsHere;
};

const CutPoint kEverySession[] = {
    {{Read::menu, "1"}, 0},       {{Read::pause, ""}, 106},
    {{Read::real, "25"}, 106},    {{Read::real, "2.5"}, 106},
    {{Read::real, "7.05"}, 106},  {{Read::answerChar, "Y"}, 0},
    {{Read::pause, ""}, 0},       {{Read::menu, "1"}, 0},
    {{Read::pause, ""}, 106},     {{Read::real, "20"}, 106},
    {{Read::real, "5"}, 106},     {{Read::real, "7"}, 106},
    {{Read::answerChar, "N"}, 0}, {{Read::real, "2"}, 106},
    {{Read::pause, ""}, 0},       {{Read::menu, "1"}, 0},  // refused: too long
    {{Read::pause, ""}, 106},     {{Read::real, "20"}, 106},
    {{Read::real, "12"}, 106},    {{Read::real, "7"}, 106},
    {{Read::answerChar, "N"}, 0}, {{Read::pause, ""}, 0},
    {{Read::menu, "2"}, 0},       {{Read::real, "0"}, 106},  // help
    {{Read::pause, ""}, 106},     {{Read::real, "12"}, 106},
    {{Read::real, "35"}, 106},    {{Read::real, "1"}, 106},
    {{Read::real, "12.5"}, 106},  {{Read::pause, ""}, 0},  // turns
    {{Read::menu, "2"}, 0},       {{Read::real, "15"}, 106},
    {{Read::real, "40"}, 106},    {{Read::real, "1"}, 106},
    {{Read::real, "0"}, 106},     {{Read::real, "27"}, 106},
    {{Read::real, "1.5"}, 106},   {{Read::real, "1.2"}, 106},  // spaced winding
    {{Read::pause, ""}, 0},       {{Read::menu, "3"}, 0},
    {{Read::pause, ""}, 106},     {{Read::real, "7"}, 106},
    {{Read::real, "10"}, 106},    {{Read::real, "2"}, 106},
    {{Read::pause, ""}, 0},       {{Read::menu, "4"}, 0},
    {{Read::integer, "2"}, 106},  {{Read::pause, ""}, 106},  // two-band guide
    {{Read::real, "14.2"}, 106},  {{Read::real, "1.5"}, 106},
    {{Read::real, "2.25"}, 106},  {{Read::pause, ""}, 0},
    {{Read::menu, "4"}, 0},       {{Read::integer, "9"}, 106},  // no guide
    {{Read::real, "21"}, 106},    {{Read::real, "1"}, 106},
    {{Read::real, "1"}, 106},     {{Read::pause, ""}, 0},
    {{Read::menu, "5"}, 0},       {{Read::real, "7.05"}, 106},
    {{Read::real, "2"}, 106},     {{Read::pause, ""}, 0},
    {{Read::menu, "6"}, 0},       {{Read::pause, ""}, 0},
    {{Read::pause, ""}, 0},       {{Read::pause, ""}, 0},
    {{Read::menu, "0"}, 0},
};

std::string inputUpTo(size_t count) {
  std::string input;
  for (size_t i = 0; i < count; ++i) input += kEverySession[i].answer.line + "\n";
  return input;
}

TEST(HostileInput, InputEndingInFrontOfEveryAnswerEndsAsTheReadingRulesSay) {
  constexpr size_t kCount = std::size(kEverySession);
  ProcessResult whole = runProcess(programPath(), inputUpTo(kCount));
  ASSERT_EQ(undesignedEnding(whole), "");
  ASSERT_EQ(whole.exitCode, 0);
  for (size_t cut = 0; cut < kCount; ++cut) {
    const CutPoint& point = kEverySession[cut];
    ProcessResult result = runProcess(programPath(), inputUpTo(cut));
    std::string where = "input ending in front of answer " + std::to_string(cut);
    EXPECT_EQ(undesignedEnding(result), "") << where;
    EXPECT_EQ(result.exitCode, point.exitWhenInputEndsHere) << where;
    // Up to the end of the input the program wrote what it writes when the
    // dialogue goes on, unless the end read as an answer that takes
    // another branch.
    bool sameBranch = point.answer.read != Read::answerChar && point.answer.read != Read::integer;
    if (sameBranch) {
      size_t report = result.output.find("Runtime error ");
      EXPECT_TRUE(whole.output.starts_with(result.output.substr(0, report))) << where;
    }
  }
}

TEST(HostileInput, InputEndingInsideAnAnswerReadsAsIfTheLineWereEnded) {
  Runs runs;
  for (size_t cut = 0; cut < std::size(kEverySession); ++cut) {
    const std::string& line = kEverySession[cut].answer.line;
    for (size_t length = 1; length <= line.size(); ++length) {
      std::string unended = inputUpTo(cut) + line.substr(0, length);
      expectSameRun(runs, unended, unended + "\n",
                    "input ending after " + std::to_string(length) + " bytes of answer " +
                        std::to_string(cut));
    }
  }
}

}  // namespace
