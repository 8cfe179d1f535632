// The program as a child process of the front end: started, sent the signals
// that the front end receives, and waited for.
#pragma once

#include <sys/types.h>

#include <string>

#include "utf8/program_ending.hpp"

namespace Child {

// Exit statuses of the front end's own, as shells use them.
constexpr int kCannotStart = 126;
constexpr int kNotFound = 127;

// In the child: runs the program in place of the front end.
[[noreturn]] void exec(const std::string& program);

// From now on an interrupt, quit, hang-up or termination signal sent to the
// front end goes to the program instead, which ends as it would on its own.
void forwardSignals(pid_t child);

// Waits for the program to end.
Ending wait(pid_t child);

// Ends the front end as the program ended: with its exit code, or by the
// same signal, so that whoever started the front end sees what the user's
// Ctrl-C or a kill did (a shell reports it as 128 + the signal's number).
[[noreturn]] void endAs(Ending ending);

// Writes "tanshuku-utf8: " and the message as one line on standard error.
void complain(const std::string& message);

// Tells that the front end's own output failed or took fewer bytes than it
// was given (the system's reason in error), which loses what the program
// wrote: the front end ends as the program does when that happens to it,
// with run-time error 101.
Ending outputFailed(int error);

// Tells that the program could not be started (what failed, and the system's
// reason); the front end ends with kCannotStart.
Ending cannotStart(const std::string& what);

}  // namespace Child
