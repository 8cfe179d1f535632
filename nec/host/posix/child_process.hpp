// A program run as a child process (nec2c, gnuplot): found on the search
// path, started in a folder with its arguments and its standard streams,
// waited for within a time limit, and killed and waited for when the limit
// passes, when a signal that would end this program arrives (they are held
// back, Interruptions, while the child lives), and when the object goes
// before it has ended. Every way it can end is one Ending; nothing throws.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "nec/host/posix/interruptions.hpp"

namespace ChildProcess {

struct Command {
  // A name looked for on the search path, or a path with a slash taken as
  // it is. The child's own name (its argv[0]) is the last part of it.
  std::string program;
  std::vector<std::string> arguments{};
  // Where it runs; empty: this program's working folder.
  std::string folder{};
  // Standard input from /dev/null; otherwise this program's.
  bool readsNothing = false;
  // Standard output and error into this file, made or emptied (relative to
  // the folder); empty: this program's.
  std::string outputFile{};
};

struct Ending {
  enum class Kind {
    exited,         // number: the exit status (127 where it could not become the program)
    signalled,      // number: the signal that ended it
    overTimeLimit,  // killed at the time limit
    interrupted,    // killed when a held-back signal arrived; number: that signal
    lost,           // waited for elsewhere (SIGCHLD ignored): how it ended is unknown
    notFound,       // no such program on the search path
    notStarted,     // no process could be made; number: the system's error
  };
  Kind kind;
  int number = 0;

  bool succeeded() const { return kind == Kind::exited && number == 0; }
};

class Running {
 public:
  // Starts the command; where it cannot, wait() tells why.
  explicit Running(const Command& command);
  ~Running();
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

  // Whether a process was made for it.
  bool started() const { return started_; }
  // Until it ends, the deadline passes or a held-back signal arrives; then
  // how it ended. Called again, it gives the same.
  Ending wait(std::chrono::steady_clock::time_point deadline);

 private:
  void waitForEnd(std::chrono::steady_clock::time_point deadline) const;
  void stop();

  Nec2::Interruptions held_;
  bool started_ = false;
  pid_t pid_ = -1;                // until it has been waited for
  int descriptor_ = -1;           // readable when the child ends; -1 where there is none
  std::optional<Ending> ending_;  // once known
};

// The command started and waited for, for at most timeLimit.
Ending run(const Command& command, std::chrono::milliseconds timeLimit);

}  // namespace ChildProcess
