// Standard input and output of the WebAssembly program: the page (or the
// node runner of the tests) that starts it hands it its input and takes its
// output through the functions of the module object, readInput and
// writeOutput. A read waits for the user without blocking the page: the
// program's stack is set aside meanwhile (Asyncify).
#include <emscripten.h>

#include "console/platform/io.hpp"

namespace {

// Module.readInput(size) resolves to at most size bytes, an empty array at
// the end of the input.
EM_ASYNC_JS(int, readFromHost, (unsigned char* buffer, int size), {
  const bytes = await Module.readInput(size);
  HEAPU8.set(bytes, buffer);
  return bytes.length;
});

// Module.writeOutput(bytes) takes a copy of the bytes and tells whether it
// took them.
EM_JS(int, writeToHost, (const unsigned char* bytes, int count),
      { return Module.writeOutput(HEAPU8.slice(bytes, bytes + count)) ? 1 : 0; });

// Module.outputIsConsole: true on the page's terminal, false where the
// output is kept (the tests' pipes).
EM_JS(int, hostOutputIsConsole, (), { return Module.outputIsConsole ? 1 : 0; });

}  // namespace

namespace Platform {

int readInput(unsigned char* buffer, int size) { return readFromHost(buffer, size); }

bool writeOutput(const unsigned char* bytes, int count) { return writeToHost(bytes, count) != 0; }

bool openStandardOutput() { return hostOutputIsConsole() != 0; }

bool ownsItsWindow() { return false; }

void waitForKey() {}

void exitProcess(int exitCode) { emscripten_force_exit(exitCode); }

}  // namespace Platform
