// Linked into the fuzz target with -Wl,--wrap=_exit: every way the program
// ends goes through _exit, so an exit code outside the set that input alone
// can produce becomes an abort, which the fuzzer records as a crash.
#include <unistd.h>

#include <cstdlib>

extern "C" [[noreturn]] void __real__exit(int exitCode);

namespace {

// The endings that standard input can bring about while standard output
// works: a normal end, a bad answer, and the three trapped arithmetic faults.
// Read failures (1 to 100), a failed write (101) and the processor faults
// other than arithmetic cannot come from the input and are findings.
bool isDesignedEnding(int exitCode) {
  switch (exitCode) {
    case 0:    // menu answer 0 or the end of the input at the menu
    case 106:  // an answer that is not a number
    case 200:  // division by zero
    case 205:  // overflow
    case 207:  // invalid operation
      return true;
    default: return false;
  }
}

}  // namespace

extern "C" [[noreturn]] void __wrap__exit(int exitCode) {
  if (!isDesignedEnding(exitCode)) std::abort();
  __real__exit(exitCode);
}
