// Drives the dialogue operations one by one, for the tests of reading.
// Each argument names one operation: R readReal, I readInteger, A
// readAnswerChar, W waitForReturn. After each, one line tells what it
// returned: "R <hex of the double's bits>", "I <number>", "A <hex byte>",
// "W". The program then ends normally.
#include <bit>
#include <cstdint>
#include <cstdio>

#include "console/console_io.hpp"
#include "console/run_time_error.hpp"
#include "shell/program.hpp"

namespace {

char line[64];

// Called from main, so that a report made inside it has a caller line, as
// every report of the program itself does.
[[gnu::noinline]] void runOperations(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    switch (argv[i][0]) {
      case 'R':
        std::snprintf(
            line, sizeof line, "R %016llX",
            static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(ConsoleIo::readReal())));
        ConsoleIo::writeLine(line);
        break;
      case 'I':
        std::snprintf(line, sizeof line, "I %d", ConsoleIo::readInteger());
        ConsoleIo::writeLine(line);
        break;
      case 'A':
        std::snprintf(line, sizeof line, "A %02X", ConsoleIo::readAnswerChar());
        ConsoleIo::writeLine(line);
        break;
      case 'W':
        ConsoleIo::waitForReturn();
        ConsoleIo::writeLine("W");
        break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Program::start();
  runOperations(argc, argv);
  RunTime::endProgram(0);
}
