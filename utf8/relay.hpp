// Carries what the user types to the program and what the program writes to
// the user, converting both, until the program's output ends.
#pragma once

#include "utf8/typed_lines.hpp"

namespace Relay {

struct Ends {
  int userInput;
  int userOutput;
  int programInput;   // made non-blocking, closed by run
  int programOutput;  // the same on a pseudo-terminal
};

// On a pseudo-terminal the program gets the user's input as typed lines, and
// the end of the input as a read of no bytes: lines is set. With
// pushUnendedPieces a piece of input that ends without a line end is handed
// on at once (the user's terminal reads lines, so that was a Ctrl-D in the
// middle of a line). On pipes, lines is null: the input goes on as a stream,
// and its end closes the program's input.
struct Input {
  TypedLines* lines = nullptr;
  bool pushUnendedPieces = false;
};

// Returns when the program's output has ended (the program ended), when the
// user's terminal hung up, or when the user's output fails: the caller then
// closes the program's ends, so that the program's input ends, its pseudo-
// terminal hangs up, or its output fails.
void run(const Ends& ends, const Input& input);

}  // namespace Relay
