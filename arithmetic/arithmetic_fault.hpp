// The faults of the extended arithmetic: the three exceptions that stop the
// program (invalid operation, division by zero, overflow). Underflow, a
// denormal operand and an inexact result never fault. The operations report a
// fault to one handler, installed at start-up.
#pragma once

namespace Arithmetic {

enum class Fault { invalidOperation, divisionByZero, overflow };

// Called in place of the rest of the faulting operation, with the return
// address into the code that called the operation; must not return.
using FaultHandler = void (*)(Fault fault, const void* returnAddress);

// Installs the handler that every later fault goes to.
void setFaultHandler(FaultHandler handler);

// Sends fault to the handler. Aborts the process when no handler is
// installed or the handler returns.
[[noreturn]] void raiseFault(Fault fault, const void* returnAddress);

}  // namespace Arithmetic
