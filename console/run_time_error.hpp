// The two ways the program ends: a numbered run-time error with its report,
// or a normal end with an exit code.
#pragma once

#include <string_view>

#include "console/text_stream.hpp"
#include "contract/program_contract.hpp"

namespace RunTime {

// Numbers of the run-time errors: the exit code of the process. A failed
// read of standard input has a number of 1 to 100 of its own. Those that
// the front ends tell apart are the contract's.
enum ErrorNumber : int {
  writeFailed = TextStream::kWriteFailed,
  invalidNumber = ProgramContract::invalidNumber,
  divisionByZero = ProgramContract::divisionByZero,
  subscriptOutOfRange = 201,
  stackOverflow = ProgramContract::stackOverflow,
  floatingOverflow = ProgramContract::floatingOverflow,
  floatingUnderflow = 206,
  invalidOperation = ProgramContract::invalidOperation,
  integerOverflow = 215,
  accessViolation = ProgramContract::accessViolation,
  otherFaultOfErrorSeverity = 217,  // any other fault of error severity
  privilegedInstruction = 218,
  anyOtherFault = 255,  // any other fault: a debugger's breakpoint or single step
};

// The last line in the program's own window, below the report and the
// explanation if any: the window stays until a key is pressed.
inline constexpr std::string_view kPressAKeyToClose =
    "何かキーを押すと、このウィンドウを閉じます。";

// Sets up the extended-precision arithmetic, the traps for invalid operation,
// division by zero and overflow, and the fault handler. Called once at
// start-up, before the streams are used.
void setUpFaultHandling();

// Writes the report "Runtime error N at $XXXXXXXX" with the callers' locations
// after all text written so far, and ends the process with N as exit code.
[[noreturn]] void runTimeError(int number);

// Writes out what is buffered and ends the process; writes nothing else.
[[noreturn]] void endProgram(int exitCode);

// While a dialogue operation runs, a fault inside it is reported at the place
// that called the operation, as if the operation were one step of its caller.
// Each operation opens one with RETURN_ADDRESS().
class CallerScope {
 public:
  explicit CallerScope(const void* returnAddress) noexcept;
  ~CallerScope();
  CallerScope(const CallerScope&) = delete;
  CallerScope& operator=(const CallerScope&) = delete;

 private:
  bool outermost_;
};

}  // namespace RunTime
