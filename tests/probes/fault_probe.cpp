// The program's start-up, then the fault that the first argument names,
// between the lines "before" and "after": the run must end with the fault's
// report right after "before". Operands are read from the input, as a
// calculator reads them, so that nothing is computed at compile time.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>

#include "arithmetic/maths.hpp"
#include "arithmetic/stored.hpp"
#include "console/console_io.hpp"
#include "console/run_time_error.hpp"
#include "shell/program.hpp"

namespace {

double left;
double right;
double result;

void before() { ConsoleIo::writeLine("before"); }
void after() { ConsoleIo::writeLine("after"); }

[[gnu::noinline]] void divide() {
  left = ConsoleIo::readReal();
  right = ConsoleIo::readReal();
  before();
  result = stored(static_cast<Extended>(left) / right);
  after();
}

// left to the power 65536, by squaring in the extended format.
[[gnu::noinline]] void raiseToPower() {
  left = ConsoleIo::readReal();
  before();
  Extended power = left;
  for (int i = 0; i < 16; ++i) power *= power;
  result = stored(power);
  after();
}

[[gnu::noinline]] void takeLogarithm() {
  left = ConsoleIo::readReal();
  before();
  result = stored(Arithmetic::log(left));
  after();
}

[[gnu::noinline]] void takeSquareRoot() {
  left = ConsoleIo::readReal();
  before();
  result = stored(Arithmetic::sqrt(left));
  after();
}

[[gnu::noinline]] void readNumber() {
  before();
  result = ConsoleIo::readReal();
  after();
}

[[gnu::noinline]] void accessBadMemory() {
  before();
  int* volatile address = reinterpret_cast<int*>(16);
  *address = 1;
  after();
}

volatile int neverReached = -1;

[[gnu::noinline]] int recurseWithoutEnd(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  if (depth == neverReached) return 0;
  return recurseWithoutEnd(depth + 1) + frame[0];
}

[[gnu::noinline]] void overflowStack() {
  before();
  result = recurseWithoutEnd(0);
  after();
}

[[gnu::noinline]] void executeIllegalInstruction() {
  before();
  __builtin_trap();
}

// A division 300 calls deep.
[[gnu::noinline]] void divideDeepDown(int levels) {
  if (levels == 0) {
    divide();
  } else {
    divideDeepDown(levels - 1);
  }
  after();
}

[[gnu::noinline]] void divideDeepDown() { divideDeepDown(300); }

struct Mode {
  std::string_view name;
  void (*run)();
};

// The faults of the processor's own instructions, and a fault inside the C
// library's code, which may be linked into the probe beside the program's
// own. Library functions are called through a pointer, so that the compiler
// neither drops nor inlines the call.
#if defined(__x86_64__)
// In machine code: the sanitizer would catch the division in C++ first.
[[gnu::noinline]] void divideIntegers() {
  int divisor = ConsoleIo::readInteger();
  before();
  int quotient = 1000;
  int remainder = 0;
  asm volatile("cltd\n\tidivl %2" : "+a"(quotient), "=&d"(remainder) : "r"(divisor));
  after();
}

// A division by the number read.
std::div_t (*volatile divideInLibraryCode)(int, int) = std::div;

[[gnu::noinline]] void faultInLibrary() {
  int divisor = ConsoleIo::readInteger();
  before();
  result = divideInLibraryCode(1000, divisor).quot;
  after();
}

[[gnu::noinline]] void executePrivilegedInstruction() {
  before();
  asm volatile("hlt");
  after();
}

constexpr Mode kProcessorModes[] = {
    {"divide-integers", divideIntegers},
    {"fault-in-library", faultInLibrary},
    {"privileged", executePrivilegedInstruction},
};
#elif defined(__aarch64__)
// 64-bit ARM divides by zero without a fault: the library reads the memory
// at the address read instead.
std::size_t (*volatile measureInLibraryCode)(const char*) = std::strlen;

[[gnu::noinline]] void faultInLibrary() {
  auto address = static_cast<std::uintptr_t>(ConsoleIo::readInteger());
  before();
  result = static_cast<double>(measureInLibraryCode(reinterpret_cast<const char*>(address)));
  after();
}

[[gnu::noinline]] void executePrivilegedInstruction() {
  before();
  asm volatile("mrs x0, sctlr_el1" : : : "x0");
  after();
}

// Undefined everywhere (__builtin_trap is a breakpoint instruction here).
[[gnu::noinline]] void executeUndefinedInstruction() {
  before();
  asm volatile("udf #0");
  after();
}

constexpr Mode kProcessorModes[] = {
    {"fault-in-library", faultInLibrary},
    {"privileged", executePrivilegedInstruction},
    {"undefined", executeUndefinedInstruction},
};
#endif

constexpr Mode kModes[] = {
    {"divide", divide},       {"raise", raiseToPower},
    {"log", takeLogarithm},   {"sqrt", takeSquareRoot},
    {"read", readNumber},     {"memory", accessBadMemory},
    {"stack", overflowStack}, {"illegal", executeIllegalInstruction},
    {"deep", divideDeepDown},
};

}  // namespace

int main(int argc, char** argv) {
  Program::start();
  if (argc < 2) return 2;
  for (const auto& modes :
       {std::span<const Mode>(kModes), std::span<const Mode>(kProcessorModes)}) {
    for (const Mode& mode : modes) {
      if (mode.name == argv[1]) mode.run();
    }
  }
  RunTime::endProgram(0);
}
