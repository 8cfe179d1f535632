// The program started in surroundings it does not expect: standard output
// that stops taking bytes part-way, standard input that fails, fault signals
// blocked or ignored by whoever started it, and a terminal in raw mode in
// place of a file or a pipe. It must still end in a designed way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "test_support/designed_ending.hpp"
#include "test_support/process.hpp"

namespace {

// Every entry and branch once, the menu's other numbers too.
const std::string kLongDialogue =
    "1\n\n25\n2.5\n7.05\nY\n\n"          // loading coil, base loading
    "1\n\n20\n5\n7\nN\n2\n\n"            // loading coil, centre loading
    "1\n\n20\n12\n7\nN\n\n"              // loading coil, refused
    "2\n0\n\n12\n35\n1\n12.5\n\n"        // coil: help, then turns
    "2\n15\n40\n1\n0\n27\n1.5\n1.2\n\n"  // coil: inductance, spaced winding
    "3\n\n7\n10\n2\n\n"                  // feed-point impedance
    "3\n\n7\n30\n2\n\n"                  // feed-point impedance with apologies
    "4\n1\n\n7.05\n2.1\n3.3\n\n"         // efficiency, each guide
    "4\n2\n\n14.2\n1.5\n2.25\n\n"
    "4\n5\n\n21\n1\n1\n\n"
    "5\n7.05\n2\n\n"  // dipole
    "6\n\n\n\n"       // guide
    "9\n-1\n";

// Visits of the guide's three pages, about 5 kB of output each.
std::string guideVisits(int count) {
  std::string input;
  for (int i = 0; i < count; ++i) input += "6\n\n\n\n";
  return input + "0\n";
}

std::string fileContents(const std::string& path) {
  std::string bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
  std::fclose(file);
  return bytes;
}

// What is waiting in a pipe, without blocking.
std::string drain(int fd) {
  fcntl(fd, F_SETFL, O_NONBLOCK);
  std::string bytes;
  char buffer[65536];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, static_cast<size_t>(got));
  }
  return bytes;
}

// The run as a terminal in raw mode shows it: standard input and output are
// both the terminal, which adds and takes away nothing. The dialogue must
// end by itself before the input runs out (closing the terminal would hang
// it up).
ProcessResult runOnRawTerminal(const std::string& input) {
  signal(SIGPIPE, SIG_IGN);
  termios raw{};
  cfmakeraw(&raw);
  int terminal = -1;
  std::string program = programPath();
  pid_t child = forkpty(&terminal, nullptr, &raw, nullptr);
  if (child < 0) throw std::runtime_error("forkpty failed");
  if (child == 0) {
    execl(program.c_str(), program.c_str(), nullptr);
    _exit(127);
  }
  fcntl(terminal, F_SETFL, O_NONBLOCK);
  ProcessResult result;
  size_t written = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    short events = POLLIN;
    if (written < input.size()) events |= POLLOUT;
    pollfd ready{terminal, events, 0};
    poll(&ready, 1, 1000);
    if (ready.revents & POLLIN) {
      char buffer[4096];
      ssize_t got = read(terminal, buffer, sizeof buffer);
      if (got > 0) {
        result.output.append(buffer, static_cast<size_t>(got));
        continue;
      }
    }
    if (ready.revents & (POLLHUP | POLLERR)) break;  // the program has ended
    if (ready.revents & POLLOUT) {
      ssize_t put = write(terminal, input.data() + written, input.size() - written);
      if (put > 0) written += static_cast<size_t>(put);
    }
  }
  close(terminal);
  kill(child, SIGKILL);  // only if it is still running after the deadline
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

TEST(HostileSurroundings, FilePipeAndRawTerminalGetTheSameBytesOverEveryEntry) {
  for (const std::string ending : {"0\n", "abc\n", "5\n0\n2\n"}) {
    const std::string input = kLongDialogue + ending;
    ProcessResult piped = runProcess(programPath(), input);
    EXPECT_EQ(undesignedEnding(piped), "") << ending;
    EXPECT_GT(piped.output.size(), 30000u);

    ProcessOptions toFile;
    toFile.stdoutPath = testing::TempDir() + "tanshuku_long_dialogue.out";
    ProcessResult filed = runProcess(programPath(), input, toFile);
    filed.output = fileContents(toFile.stdoutPath);
    std::remove(toFile.stdoutPath.c_str());

    ProcessResult shown = runOnRawTerminal(input);

    EXPECT_EQ(filed.exitCode, piped.exitCode) << ending;
    EXPECT_EQ(shown.exitCode, piped.exitCode) << ending;
    EXPECT_TRUE(filed.output == piped.output) << ending;
    EXPECT_TRUE(shown.output == piped.output) << ending;
  }
}

TEST(HostileSurroundings, AFaultWhoseSignalIsBlockedOrIgnoredStillEndsWithItsReport) {
  const std::string input = "5\n0\n2\n";  // a dipole at 0 MHz divides by zero
  ProcessResult plain = runProcess(programPath(), input);
  ASSERT_EQ(plain.exitCode, 200);

  ProcessOptions blocked;
  blocked.inChild = [] {
    sigset_t faults;
    sigemptyset(&faults);
    sigaddset(&faults, SIGFPE);
    sigprocmask(SIG_BLOCK, &faults, nullptr);
  };
  ProcessResult result = runProcess(programPath(), input, blocked);
  EXPECT_EQ(undesignedEnding(result), "");
  EXPECT_EQ(result.exitCode, 200);
  EXPECT_TRUE(result.output == plain.output);

  ProcessOptions ignored;
  ignored.inChild = [] { signal(SIGFPE, SIG_IGN); };
  result = runProcess(programPath(), input, ignored);
  EXPECT_EQ(undesignedEnding(result), "");
  EXPECT_EQ(result.exitCode, 200);
  EXPECT_TRUE(result.output == plain.output);
}

TEST(HostileSurroundings, AFileAtItsSizeLimitEndsWith101WithWhatFitted) {
  constexpr rlim_t kLimit = 1000;
  const std::string input = guideVisits(1);
  const std::string whole = runProcess(programPath(), input).output;
  ASSERT_GT(whole.size(), kLimit);

  ProcessOptions limited;
  limited.stdoutPath = testing::TempDir() + "tanshuku_size_limit.out";
  limited.inChild = [] {
    rlimit limit{kLimit, kLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
  };
  ProcessResult result = runProcess(programPath(), input, limited);
  std::string filed = fileContents(limited.stdoutPath);
  std::remove(limited.stdoutPath.c_str());
  EXPECT_EQ(result.signal, 0) << "killed by a signal instead of ending with 101";
  EXPECT_EQ(result.exitCode, 101);
  EXPECT_TRUE(filed == whole.substr(0, kLimit));
}

TEST(HostileSurroundings, AReaderThatGoesAwayMidDialogueEndsWith101) {
  signal(SIGPIPE, SIG_IGN);
  int toProgram[2], fromProgram[2];
  ASSERT_EQ(pipe2(toProgram, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(fromProgram, O_CLOEXEC), 0);
  std::string program = programPath();
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(toProgram[0], STDIN_FILENO);
    dup2(fromProgram[1], STDOUT_FILENO);
    signal(SIGPIPE, SIG_DFL);
    execl(program.c_str(), program.c_str(), nullptr);
    _exit(127);
  }
  close(toProgram[0]);
  close(fromProgram[1]);
  // The first block of the menu arrives while the program waits for its
  // answer; then the reader leaves and the answers come.
  char block[256];
  EXPECT_EQ(read(fromProgram[0], block, sizeof block), 256);
  close(fromProgram[0]);
  std::string answers = guideVisits(3);
  EXPECT_EQ(write(toProgram[1], answers.data(), answers.size()),
            static_cast<ssize_t>(answers.size()));
  close(toProgram[1]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 101);
}

TEST(HostileSurroundings, AFullPipeThatWouldBlockEndsWith101WithWhatFitted) {
  int pipeEnds[2];
  ASSERT_EQ(pipe2(pipeEnds, O_CLOEXEC), 0);
  const std::string input = guideVisits(30);
  const std::string whole = runProcess(programPath(), input).output;

  ProcessOptions nonBlocking;
  nonBlocking.inChild = [&] {
    fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
    dup2(pipeEnds[1], STDOUT_FILENO);
  };
  ProcessResult result = runProcess(programPath(), input, nonBlocking);
  close(pipeEnds[1]);
  std::string received = drain(pipeEnds[0]);
  close(pipeEnds[0]);
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, 101);
  ASSERT_LT(received.size(), whole.size());
  EXPECT_TRUE(whole.starts_with(received));
}

TEST(HostileSurroundings, AReportThatCannotBeWrittenEndsWith101) {
  ProcessOptions full;
  full.stdoutPath = "/dev/full";
  for (const std::string input : {"abc\n", "5\n0\n2\n"}) {  // 106 and 200 to report
    ProcessResult result = runProcess(programPath(), input, full);
    EXPECT_EQ(result.signal, 0) << input;
    EXPECT_EQ(result.exitCode, 101) << input;
  }
}

// The menu as it stands when the program first waits, then the report of
// the read that failed.
void expectReadFailure(const ProcessResult& result, int number) {
  EXPECT_EQ(undesignedEnding(result, {number}), "");
  const std::string& menu = normalEndBytes();
  EXPECT_TRUE(result.output.starts_with(menu.substr(0, menu.size() - 3) + "Runtime error " +
                                        std::to_string(number) + " at $"));
}

TEST(HostileSurroundings, InputThatWouldBlockEndsWithTheSystemsErrorNumber) {
  int pipeEnds[2];
  ASSERT_EQ(pipe2(pipeEnds, O_CLOEXEC), 0);
  ProcessOptions nonBlocking;
  nonBlocking.inChild = [&] {
    fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    dup2(pipeEnds[0], STDIN_FILENO);
  };
  // The write end stays open here: the input is empty but has not ended.
  ProcessResult result = runProcess(programPath(), "", nonBlocking);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  EXPECT_EQ(result.exitCode, EAGAIN);
  expectReadFailure(result, EAGAIN);
}

// Reading a terminal that has hung up gives the end of the input, not a
// failure: the menu then ends the program normally.
TEST(HostileSurroundings, ATerminalThatHungUpIsTheEndOfTheInput) {
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  int terminal = open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(terminal, 0);
  close(master);
  ProcessOptions hungUp;
  hungUp.inChild = [&] { dup2(terminal, STDIN_FILENO); };
  ProcessResult result = runProcess(programPath(), "", hungUp);
  close(terminal);
  EXPECT_EQ(undesignedEnding(result, {0}), "");
  EXPECT_TRUE(result.output == normalEndBytes());
}

}  // namespace
