// What the streams need from the operating system: the standard handles, the
// device type of standard output and the process exit.
#pragma once

namespace Platform {

// Reads up to size bytes from standard input. Returns the count read, 0 at
// the end of the input (a closed pipe included), or the system's error code,
// negated, on a failure.
int readInput(unsigned char* buffer, int size);

// Writes count bytes to standard output in one write. Returns false when the
// write fails or takes fewer bytes.
bool writeOutput(const unsigned char* bytes, int count);

// Prepares standard output for writing (a closed pipe or a file at its size
// limit then fails a write instead of killing the process) and tells whether
// it is a character device (a console).
bool openStandardOutput();

// Whether the program has a console window of its own, which closes when it
// ends (started by a double-click): then the last words of a run-time error
// must wait for the user. Never on Linux, where the program runs in the
// user's terminal.
bool ownsItsWindow();

// Waits for a key on the console, the keys typed before it left out.
void waitForKey();

// Ends the process with the exit code, at once.
[[noreturn]] void exitProcess(int exitCode);

}  // namespace Platform
