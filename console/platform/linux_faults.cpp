#include <link.h>
#include <signal.h>
#include <sys/resource.h>
#include <ucontext.h>
#include <unistd.h>
#include <unwind.h>

#include <cstddef>
#include <cstdint>

#include "console/platform/faults.hpp"
#include "console/platform/linux_processor.hpp"
#include "console/platform/own_code_frames.hpp"

// The bounds of the program's own code: the C and C++ libraries may be linked
// into the executable beside it. The start-up code comes first, the label of
// own_code_end.cpp right after the program's last function.
extern "C" void _start();
extern "C" void tanshukuOwnCodeEnd();

namespace Platform {
namespace {

FaultHandler faultHandler = nullptr;

// The handler runs here: after a stack overflow the program's own stack has
// no room left.
alignas(16) unsigned char alternateStack[64 * 1024];

// The address the executable was loaded at: the locations of a report are
// offsets from it.
std::uintptr_t loadBias = 0;

// The addresses the program's stack may grow over: from its top at start-up
// down to its size limit and the guard gap the kernel keeps below it.
struct StackArea {
  std::uintptr_t top = 0;
  std::uintptr_t lowest = 0;
};
StackArea mainStack;
constexpr std::uintptr_t kStackGuardGap = (1024 + 64) * std::uintptr_t{1024};
// A fault this close to the stack pointer is the stack running out too.
constexpr std::uintptr_t kNearStackPointer = 64 * std::uintptr_t{1024};

// Room for the handler's own frames, the signal trampoline, a few frames of
// the C library and the most callers a report shows.
constexpr int kMaxFrames = 300;
std::uintptr_t frames[kMaxFrames];

#ifdef TANSHUKU_SANITIZE
// Memory faults are the sanitizer's to report.
constexpr int kFaultSignals[] = {SIGFPE, SIGILL};
#else
constexpr int kFaultSignals[] = {SIGFPE, SIGILL, SIGSEGV, SIGBUS};
#endif

using Processor::instructionPointer;
using Processor::stackPointer;

Fault floatingPointFault(const siginfo_t& info, const ucontext_t& context) {
  switch (info.si_code) {
    case FPE_FLTDIV: return Fault::floatingDivisionByZero;
    case FPE_FLTOVF: return Fault::floatingOverflow;
    case FPE_FLTUND: return Fault::floatingUnderflow;
    case FPE_FLTRES: return Fault::floatingInexactResult;
    case FPE_FLTINV:
      return Processor::isFloatingStackFault(context) ? Fault::floatingStackFault
                                                      : Fault::floatingInvalidOperation;
    case FPE_FLTSUB: return Fault::subscriptOutOfRange;
    case FPE_INTDIV: return Fault::integerDivisionByZero;
    case FPE_INTOVF: return Fault::integerOverflow;
    default: return Fault::otherFaultOfErrorSeverity;
  }
}

bool isStackOverflow(std::uintptr_t address, std::uintptr_t stack) {
  bool nearStackPointer =
      address + kNearStackPointer >= stack && address <= stack + kNearStackPointer;
  bool inStackArea = address >= mainStack.lowest && address < mainStack.top;
  return nearStackPointer || inStackArea;
}

Fault memoryFault(const siginfo_t& info, const ucontext_t& context) {
  if (info.si_code == SI_KERNEL) return Processor::faultWithoutAddress(context);
  if (info.si_code <= 0) return Fault::otherFaultOfErrorSeverity;  // sent, not a fault
  auto address = reinterpret_cast<std::uintptr_t>(info.si_addr);
  return isStackOverflow(address, stackPointer(context)) ? Fault::stackOverflow
                                                         : Fault::memoryAccess;
}

Fault busFault(const siginfo_t& info) {
  switch (info.si_code) {
    case BUS_ADRALN:
    case BUS_ADRERR:
    case BUS_OBJERR: return Fault::memoryAccess;
    default: return Fault::otherFaultOfErrorSeverity;
  }
}

Fault instructionFault(const siginfo_t& info, const ucontext_t& context) {
  switch (info.si_code) {
    case ILL_ILLOPC:  // Linux's code for an undefined instruction
    case ILL_ILLOPN:  // qemu-user's
      return Processor::undefinedInstruction(context);
    case ILL_ILLADR:
    case ILL_ILLTRP: return Fault::illegalInstruction;
    case ILL_PRVOPC:
    case ILL_PRVREG: return Fault::privilegedInstruction;
    default: return Fault::otherFaultOfErrorSeverity;
  }
}

// The trap instruction, where it raises a signal of its own.
Fault trapFault(const siginfo_t& info) {
  return info.si_code == TRAP_BRKPT ? Fault::illegalInstruction : Fault::otherFaultOfErrorSeverity;
}

Fault classify(int signalNumber, const siginfo_t& info, const ucontext_t& context) {
  switch (signalNumber) {
    case SIGFPE: return floatingPointFault(info, context);
    case SIGSEGV: return memoryFault(info, context);
    case SIGBUS: return busFault(info);
    case SIGILL: return instructionFault(info, context);
    default:
      if (signalNumber == Processor::trapInstructionSignal()) return trapFault(info);
      return Fault::anyOtherFault;
  }
}

void onSignal(int signalNumber, siginfo_t* info, void* contextPointer) {
  const auto& context = *static_cast<const ucontext_t*>(contextPointer);
  faultHandler(classify(signalNumber, *info, context),
               reinterpret_cast<const void*>(instructionPointer(context)));
  ::_exit(kHandlerReturned);  // were it to return, the fault would repeat
}

// The first object that the dynamic linker lists is the executable.
int recordLoadBias(dl_phdr_info* info, size_t, void*) {
  loadBias = info->dlpi_addr;
  return 1;
}

void recordMainStack() {
  mainStack.top = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
  mainStack.lowest = mainStack.top;
  rlimit limit{};
  if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      limit.rlim_cur + kStackGuardGap < mainStack.top) {
    mainStack.lowest = mainStack.top - limit.rlim_cur - kStackGuardGap;
  }
}

void useAlternateStack() {
  stack_t stack{};
  stack.ss_sp = alternateStack;
  stack.ss_size = sizeof alternateStack;
  sigaltstack(&stack, nullptr);
}

_Unwind_Reason_Code recordFrame(_Unwind_Context* context, void* frameCount) {
  int& count = *static_cast<int*>(frameCount);
  if (count == kMaxFrames) return _URC_END_OF_STACK;
  frames[count++] = _Unwind_GetIP(context);
  return _URC_NO_REASON;
}

// The code addresses of the active frames, innermost first: the unwinder
// itself needs no memory, so a report allocates nothing.
int walkStack() {
  int count = 0;
  _Unwind_Backtrace(recordFrame, &count);
  return count;
}

// Sends the signal to the handler's action and adds it to caught.
void catchFault(int signalNumber, const struct sigaction& action, sigset_t& caught) {
  sigaction(signalNumber, &action, nullptr);
  sigaddset(&caught, signalNumber);
}

}  // namespace

void installFaultHandler(FaultHandler handler) {
  faultHandler = handler;
  dl_iterate_phdr(recordLoadBias, nullptr);
  recordMainStack();

  useAlternateStack();
  struct sigaction action {};
  action.sa_sigaction = onSignal;
  // A fault inside the handler comes back to it instead of killing the process.
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  sigset_t faults;
  sigemptyset(&faults);
  for (int signalNumber : kFaultSignals) catchFault(signalNumber, action, faults);
  const int trapSignal = Processor::trapInstructionSignal();
  if (trapSignal != 0) catchFault(trapSignal, action, faults);

  // A blocked signal mask is inherited from whoever started the program; a
  // fault with its signal blocked would kill the process without a report.
  sigprocmask(SIG_UNBLOCK, &faults, nullptr);
}

int codeLocations(CodeAddress origin, std::uint32_t* locations, int capacity) {
  OwnCode ownCode{reinterpret_cast<std::uintptr_t>(&_start),
                  reinterpret_cast<std::uintptr_t>(&tanshukuOwnCodeEnd), loadBias};
  return ownCodeLocations(origin, ownCode, frames, walkStack(), locations, capacity);
}

}  // namespace Platform
