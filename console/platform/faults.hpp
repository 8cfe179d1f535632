// What fault handling needs from the operating system and the processor: the
// floating-point control words, the handler for processor faults, and the
// code locations of the active frames.
#pragma once

#include <cstdint>

namespace Platform {

// The processor faults, as the fault handler tells them apart.
enum class Fault {
  floatingDivisionByZero,
  floatingOverflow,
  floatingUnderflow,
  floatingInvalidOperation,
  floatingStackFault,
  floatingInexactResult,
  integerDivisionByZero,
  integerOverflow,
  subscriptOutOfRange,
  memoryAccess,
  stackOverflow,
  illegalInstruction,
  privilegedInstruction,
  otherFaultOfErrorSeverity,  // an error of no kind above: a fault signal sent, a code unknown
  anyOtherFault,              // no error: a breakpoint or single step, a signal not expected
};

// Called in place of the faulting computation, on a stack with room left for
// it even after a stack overflow; must not return. faultAddress is the
// address of the faulting instruction.
using FaultHandler = void (*)(Fault fault, const void* faultAddress);

// The x87 control word: extended precision (PC 11), rounding to nearest
// (RC 00); precision, underflow and denormal masked, overflow, division by
// zero and invalid operation unmasked.
constexpr unsigned short kX87Control = 0x0372;
// The SSE control and status register: the same three unmasked (bits 7, 9
// and 10 clear), the others masked, no flag set.
constexpr unsigned kSseControl = 0x1900;

// The exit code should a fault handler return, which it must not: that of
// a fault of no known kind.
constexpr int kHandlerReturned = 255;

// On x86-64: extended precision, rounding to nearest; invalid operation,
// division by zero and overflow trap, denormal operand, underflow and inexact
// result do not. Sets both the x87 unit and the SSE unit, its flags cleared.
// On 64-bit ARM, whose floating-point unit has no extended format: rounding
// to nearest, and no trap.
void setUpArithmetic();

// Sends every trapped floating-point exception and every other processor
// fault of the thread to handler, on a stack of its own so that a stack
// overflow can be reported too.
void installFaultHandler(FaultHandler handler);

// A code address where a report starts: the faulting instruction itself, or a
// return address (then the call before it is the location).
struct CodeAddress {
  const void* address;
  bool isReturnAddress;
};

// Fills locations with the offsets from the executable's load address of
// origin's code and of the active callers' calls, innermost first, skipping
// frames outside the program's own code (the C library, the signal
// trampoline) before the first one inside it and ending with main. Writes at most
// capacity values and returns their count.
int codeLocations(CodeAddress origin, std::uint32_t* locations, int capacity);

}  // namespace Platform
