// The program as a child process of the front end: started, sent the signals
// that the front end receives, and waited for.
#pragma once

#include <sys/types.h>

#include <string>

namespace Child {

// Exit statuses of the front end's own, as shells use them.
constexpr int kCannotStart = 126;
constexpr int kNotFound = 127;

// In the child: runs the program in place of the front end.
[[noreturn]] void exec(const std::string& program);

// From now on an interrupt, quit, hang-up or termination signal sent to the
// front end goes to the program instead, which ends as it would on its own.
void forwardSignals(pid_t child);

// Waits for the program to end. Its exit code, or 128 + the number of the
// signal that ended it, as shells report it.
int exitStatus(pid_t child);

// Writes "tanshuku-utf8: " and the message as one line on standard error.
void complain(const std::string& message);

// Tells that the program could not be started (what failed, and the system's
// reason) and returns kCannotStart.
int cannotStart(const std::string& what);

}  // namespace Child
