// One run of nec2c, a child process: in a private temporary folder, where
// it reads deck.nec and writes report.txt (short names, as it needs), with
// its other output in messages.txt, within a time limit, after which it is
// killed. The child is killed and waited for and the folder removed on
// every way out: a return, an exception, and a signal that would end this
// program (Interruptions), which is raised again once they are done.
#pragma once

#include <chrono>
#include <string>

namespace Nec2 {

// nec2c on the search path, as an absolute path; throws SolverMissing.
std::string solverPath();

struct SolverOutput {
  std::string report;    // what nec2c wrote to its output file
  std::string messages;  // what it wrote to its standard output and error
};

// Runs nec2c on the deck. Throws SolverMissing when it is not on the search
// path, SolverFailed when it cannot be started, ends with a status other
// than 0 or by a signal, passes the time limit or is interrupted.
SolverOutput runSolver(const std::string& deck, std::chrono::milliseconds timeLimit);

// The number of nec2c runs started so far by this process.
long solverRuns();

}  // namespace Nec2
