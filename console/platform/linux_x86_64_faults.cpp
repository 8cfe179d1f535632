// The x86-64 processor's part of fault handling on Linux, and its
// floating-point set-up: the x87 unit and the SSE unit trap.
#include <signal.h>
#include <ucontext.h>

#include <cstdint>

#include "console/platform/faults.hpp"
#include "console/platform/linux_processor.hpp"

#if !defined(__x86_64__)
#error "this file reads the x86-64 registers of the interrupted code"
#endif

namespace Platform {
namespace {

bool isPrefix(unsigned char byte) {
  switch (byte) {
    case 0x26:
    case 0x2E:
    case 0x36:
    case 0x3E:
    case 0x64:
    case 0x65:
    case 0x66:
    case 0x67:
    case 0xF0:
    case 0xF2:
    case 0xF3: return true;
    default: return (byte & 0xF0) == 0x40;  // REX
  }
}

// A general protection fault comes from a privileged instruction or from an
// address outside the address space; the instruction's own bytes tell which.
bool isPrivilegedInstruction(const unsigned char* code) {
  int at = 0;
  while (at < 4 && isPrefix(code[at])) ++at;
  unsigned char opcode = code[at];
  if (opcode == 0xF4 || opcode == 0xFA || opcode == 0xFB) return true;  // hlt cli sti
  if ((opcode >= 0xE4 && opcode <= 0xE7) || (opcode >= 0xEC && opcode <= 0xEF) ||
      (opcode >= 0x6C && opcode <= 0x6F)) {
    return true;  // in out ins outs
  }
  if (opcode != 0x0F) return false;
  unsigned char second = code[at + 1];
  // clts invd wbinvd, moves to and from control and debug registers, wrmsr rdmsr
  return second == 0x06 || second == 0x08 || second == 0x09 || (second >= 0x20 && second <= 0x23) ||
         second == 0x30 || second == 0x32;
}

}  // namespace

namespace Processor {

std::uintptr_t instructionPointer(const ucontext_t& context) {
  return static_cast<std::uintptr_t>(context.uc_mcontext.gregs[REG_RIP]);
}

std::uintptr_t stackPointer(const ucontext_t& context) {
  return static_cast<std::uintptr_t>(context.uc_mcontext.gregs[REG_RSP]);
}

// The x87 stack-fault flag.
bool isFloatingStackFault(const ucontext_t& context) {
  constexpr unsigned kStackFaultFlag = 0x40;
  return context.uc_mcontext.fpregs != nullptr &&
         (context.uc_mcontext.fpregs->swd & kStackFaultFlag) != 0;
}

// A general protection fault.
Fault faultWithoutAddress(const ucontext_t& context) {
  auto code = reinterpret_cast<const unsigned char*>(instructionPointer(context));
  return isPrivilegedInstruction(code) ? Fault::privilegedInstruction : Fault::memoryAccess;
}

// A privileged instruction raises a general protection fault instead.
Fault undefinedInstruction(const ucontext_t&) { return Fault::illegalInstruction; }

// ud2, which raises SIGILL.
int trapInstructionSignal() { return 0; }

}  // namespace Processor

void setUpArithmetic() {
  unsigned short x87Control = kX87Control;
  unsigned sseControl = kSseControl;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(x87Control));
  asm volatile("ldmxcsr %0" : : "m"(sseControl));
}

}  // namespace Platform
