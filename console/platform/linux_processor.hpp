// The processor's part of fault handling on Linux: the registers of the
// interrupted code and what its instruction tells about a fault. One file
// per processor, chosen at build time: linux_x86_64_faults.cpp,
// linux_aarch64_faults.cpp.
#pragma once

#include <signal.h>
#include <ucontext.h>

#include <cstdint>

#include "console/platform/faults.hpp"

namespace Platform::Processor {

std::uintptr_t instructionPointer(const ucontext_t& context);
std::uintptr_t stackPointer(const ucontext_t& context);

// An invalid floating-point operation that the floating-point unit reports
// as a fault of its register stack.
bool isFloatingStackFault(const ucontext_t& context);

// A memory fault that the kernel reports without an address (si_code
// SI_KERNEL): a privileged instruction, or an address outside the address
// space.
Fault faultWithoutAddress(const ucontext_t& context);

// An instruction the processor does not execute for the program (SIGILL,
// ILL_ILLOPC or ILL_ILLOPN): an undefined one, or one only the system may
// execute.
Fault undefinedInstruction(const ucontext_t& context);

// The signal, other than SIGILL, of the trap instruction that GCC puts where
// the code must never arrive (__builtin_trap), or 0 where there is none.
int trapInstructionSignal();

}  // namespace Platform::Processor
