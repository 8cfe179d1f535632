// The 64-bit ARM processor's part of fault handling on Linux, and its
// floating-point set-up, in which nothing traps.
#include <signal.h>
#include <ucontext.h>

#include <cstdint>
#include <cstring>

#include "console/platform/faults.hpp"
#include "console/platform/linux_processor.hpp"

#if !defined(__aarch64__)
#error "this file reads the 64-bit ARM registers of the interrupted code"
#endif

namespace Platform {
namespace {

// An instruction that the processor refuses to run outside the system: a
// move to or from a system register or another system instruction, a call
// of the hypervisor or the secure monitor, a return from an exception.
bool isPrivilegedInstruction(std::uint32_t instruction) {
  const bool systemInstruction = (instruction & 0xFFC00000) == 0xD5000000;  // msr mrs sys ...
  const std::uint32_t exceptionCall = instruction & 0xFFE0001F;
  const bool hypervisorOrMonitorCall = exceptionCall == 0xD4000002 || exceptionCall == 0xD4000003;
  const bool exceptionReturn = instruction == 0xD69F03E0 || instruction == 0xD6BF03E0;  // eret drps
  return systemInstruction || hypervisorOrMonitorCall || exceptionReturn;
}

}  // namespace

namespace Processor {

std::uintptr_t instructionPointer(const ucontext_t& context) {
  return static_cast<std::uintptr_t>(context.uc_mcontext.pc);
}

std::uintptr_t stackPointer(const ucontext_t& context) {
  return static_cast<std::uintptr_t>(context.uc_mcontext.sp);
}

// Its floating-point registers are no stack.
bool isFloatingStackFault(const ucontext_t&) { return false; }

// The kernel gives every memory fault an address.
Fault faultWithoutAddress(const ucontext_t&) { return Fault::memoryAccess; }

// Linux reports a privileged instruction as an undefined one: its own bits
// tell which.
Fault undefinedInstruction(const ucontext_t& context) {
  std::uint32_t instruction = 0;
  std::memcpy(&instruction, reinterpret_cast<const void*>(instructionPointer(context)),
              sizeof instruction);
  return isPrivilegedInstruction(instruction) ? Fault::privilegedInstruction
                                              : Fault::illegalInstruction;
}

// brk, which raises SIGTRAP.
int trapInstructionSignal() { return SIGTRAP; }

}  // namespace Processor

// The floating-point control register as a process starts: rounding to
// nearest, no flush to zero, and no trap enabled. The extended format's
// invalid operation, division by zero and overflow are reported by its
// number type, not by this processor.
void setUpArithmetic() { asm volatile("msr fpcr, xzr"); }

}  // namespace Platform
