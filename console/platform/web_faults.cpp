// Fault handling of the WebAssembly program. Its arithmetic is the software
// extended type, whose faults go to the program's handler on their own; a
// trap of the WebAssembly machine itself (an unreachable instruction, a
// memory access out of bounds, the call stack exhausted) ends the module,
// and the host that started it reports it (web/program_host.js).
//
// WebAssembly code has no addresses a program can read: a report's
// locations are the offsets into the module of the calls on the stack, as
// the engine's stack trace gives them, which the build's debug information
// resolves to lines (docs/developing.md).
#include <emscripten.h>

#include <cstdint>

#include "console/platform/faults.hpp"

// Writes into locations (at most capacity) the module offsets of the calls
// on the stack, innermost first: from the first frame outside the run-time
// error machinery and the arithmetic (the formula that faulted, the dialogue
// that called a failed read) to main. Returns their count
// (web/program_library.js).
extern "C" int tanshuku_stack_locations(std::uint32_t* locations, int capacity);

namespace Platform {

void setUpArithmetic() {}

void installFaultHandler(FaultHandler) {}

int codeLocations(CodeAddress, std::uint32_t* locations, int capacity) {
  return tanshuku_stack_locations(locations, capacity);
}

}  // namespace Platform
