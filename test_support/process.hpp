// Runs a program as a child process with the given bytes on standard input
// and collects its standard output and how it ended.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ProcessResult {
  std::string output;     // standard output, byte for byte
  int exitCode = -1;      // -1 when the process died by a signal
  int signal = 0;         // the signal that ended it, or 0
  long peakMemoryKb = 0;  // the most memory that it, or a process it waited for, held
};

// Time enough for tanshuku-nec's longest checks (the coil as a helix: about
// 20 s alone), on a machine busy with builds too.
inline constexpr int kNecRunSeconds = 180;

struct ProcessOptions {
  std::vector<std::string> arguments;
  bool closeStdin = false;   // start with standard input closed
  bool closeStdout = false;  // start with standard output closed
  // Standard output a pipe that nobody reads: its reading end is closed
  // before the child starts, so that the child's first write fails.
  bool unreadStdout = false;
  std::string stdoutPath;  // when set, standard output goes to this file
  std::string stdinPath;   // when set, standard input comes from this file
  int timeoutSeconds = 30;
  std::function<void()> inChild;  // when set, runs in the child just before exec
  // When set, asked for more input each time all input so far is written: it
  // fills the string with the next piece and leaves it empty at the end, so
  // that input far larger than memory can be streamed through.
  std::function<void(std::string&)> moreInput;
};

// The bytes still to write to a child: the input given, then the pieces
// moreInput makes.
class InputFeed {
 public:
  InputFeed(const std::string& input, const std::function<void(std::string&)>& moreInput);
  // The bytes to write next; empty at the end of the input.
  std::string_view pending() const { return pending_; }
  void written(size_t count);

 private:
  void askForMore();

  const std::function<void(std::string&)>& moreInput_;
  std::string piece_;
  std::string_view pending_;
};

ProcessResult runProcess(const std::string& program, const std::string& input,
                         const ProcessOptions& options = {});

// The program under test, built beside the tests.
std::string programPath();
// tanshuku-utf8, built beside the program.
std::string frontEndPath();
// A test-only program from tests/probes, by name.
std::string probePath(const std::string& name);
