// Carries the user's input from a pipe or a file to the program and what the
// program writes to the user, converting both, until the program's output
// ends.
#pragma once

namespace Relay {

struct Ends {
  int userInput;
  int userOutput;
  int programInput;   // made non-blocking, closed by run
  int programOutput;  // the same
};

// Returns when the program's output has ended (the program ended) or when
// the user's output fails, and closes the program's ends, so that the
// program's input ends or its output fails. The end of the user's input
// closes the program's input once all of it has gone to the program.
// Returns 0, or the system's error code of the user's output that failed.
int run(const Ends& ends);

}  // namespace Relay
