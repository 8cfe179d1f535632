// Input no user should type: endless lines, endless blank lines, control
// bytes and non-ASCII bytes inside numbers, and input that stops in the
// middle of any question. Each run must end in a designed way, and where the
// reading rules say what such input means, exactly as the plain input that
// means the same.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <functional>
#include <map>
#include <stdexcept>

#include "tests/support/designed_ending.hpp"
#include "tests/support/process.hpp"
#include "tests/support/session.hpp"

namespace {

using namespace std::string_literals;

#ifndef _WIN32
struct StreamedRun {
  ProcessResult result;
  long peakResidentKb = 0;  // the child's peak resident set
};

// Runs the program with its standard input fed from nextChunk, which fills
// the string with the next piece of input and leaves it empty at the end, so
// that input far larger than memory can be streamed through.
StreamedRun runStreamed(const std::function<void(std::string&)>& nextChunk,
                        int timeoutSeconds = 120) {
  signal(SIGPIPE, SIG_IGN);
  int inPipe[2], outPipe[2];
  if (pipe2(inPipe, O_CLOEXEC) != 0 || pipe2(outPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  std::string program = programPath();
  pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    dup2(inPipe[0], STDIN_FILENO);
    dup2(outPipe[1], STDOUT_FILENO);
    execl(program.c_str(), program.c_str(), nullptr);
    _exit(127);
  }
  close(inPipe[0]);
  close(outPipe[1]);
  int in = inPipe[1];
  int out = outPipe[0];
  fcntl(in, F_SETFL, O_NONBLOCK);

  StreamedRun run;
  std::string chunk;
  size_t written = 0;
  nextChunk(chunk);
  if (chunk.empty()) {
    close(in);
    in = -1;
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  while (out >= 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      break;
    }
    pollfd fds[2] = {{out, POLLIN, 0}, {in, POLLOUT, 0}};
    poll(fds, in >= 0 ? 2 : 1, 1000);
    if (fds[0].revents != 0) {
      char buffer[65536];
      ssize_t got = read(out, buffer, sizeof buffer);
      if (got > 0) {
        run.result.output.append(buffer, static_cast<size_t>(got));
      } else {
        close(out);
        out = -1;
      }
    }
    if (in >= 0 && fds[1].revents != 0) {
      ssize_t put = write(in, chunk.data() + written, chunk.size() - written);
      if (put > 0) written += static_cast<size_t>(put);
      if (put < 0 && errno != EAGAIN) {  // the program has stopped reading
        close(in);
        in = -1;
      } else if (written == chunk.size()) {
        chunk.clear();
        written = 0;
        nextChunk(chunk);
        if (chunk.empty()) {
          close(in);
          in = -1;
        }
      }
    }
  }
  if (in >= 0) close(in);
  if (out >= 0) close(out);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (WIFEXITED(status)) run.result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.result.signal = WTERMSIG(status);
  run.peakResidentKb = usage.ru_maxrss;
  return run;
}

// Streams the pieces in order, each repeated as often as given.
StreamedRun runPieces(const std::vector<std::pair<std::string, size_t>>& pieces) {
  size_t piece = 0;
  size_t repeated = 0;
  return runStreamed([&](std::string& chunk) {
    while (piece < pieces.size() && repeated == pieces[piece].second) {
      ++piece;
      repeated = 0;
    }
    if (piece == pieces.size()) return;
    chunk = pieces[piece].first;
    ++repeated;
  });
}

#endif

#ifdef _WIN32
const char* const kNoStreaming =
    "streams input far larger than memory through a non-blocking pipe and measures the "
    "child's peak memory, with Linux calls";
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
  StreamedRun plain = runPieces({{kDipole, 1}});
  StreamedRun huge = runPieces({{menuAnswer, 1},
                                {std::string(kBlock, '9'), kBlocks},
                                {"\n" + frequency, 1},
                                {std::string(kBlock, '1'), kBlocks},
                                {"\n2\n", 1},
                                {std::string(kBlock, 'x'), kBlocks},  // the pause's line
                                {"\n0\n", 1}});
  EXPECT_EQ(undesignedEnding(huge.result), "");
  EXPECT_EQ(huge.result.exitCode, 0);
  EXPECT_TRUE(huge.result.output == plain.result.output);
  EXPECT_LT(huge.peakResidentKb - plain.peakResidentKb, kFlatMemoryKb)
      << "plain run " << plain.peakResidentKb << " kB";
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
  StreamedRun plain = runPieces({{kDipole, 1}});
  // Two thirds at the menu, a third at the dipole's first question.
  StreamedRun blank = runPieces(
      {{blanks, repeats * 2 / 3}, {"5\n", 1}, {blanks, repeats / 3}, {kDipoleAnswers + "0\n", 1}});
  EXPECT_EQ(undesignedEnding(blank.result), "");
  EXPECT_TRUE(blank.result.output == plain.result.output);
  EXPECT_LT(blank.peakResidentKb - plain.peakResidentKb, kFlatMemoryKb)
      << "plain run " << plain.peakResidentKb << " kB";
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
