#include <link.h>
#include <signal.h>
#include <sys/resource.h>
#include <ucontext.h>
#include <unistd.h>
#include <unwind.h>

#include <cstddef>
#include <cstdint>

#include "console/platform/faults.hpp"
#include "console/platform/own_code_frames.hpp"

#if !defined(__x86_64__)
#error "fault handling reads the x86-64 registers of the interrupted code"
#endif

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

std::uintptr_t instructionPointer(const ucontext_t& context) {
  return static_cast<std::uintptr_t>(context.uc_mcontext.gregs[REG_RIP]);
}

std::uintptr_t stackPointer(const ucontext_t& context) {
  return static_cast<std::uintptr_t>(context.uc_mcontext.gregs[REG_RSP]);
}

// An invalid operation with the x87 stack-fault flag set.
bool isX87StackFault(const ucontext_t& context) {
  constexpr unsigned kStackFaultFlag = 0x40;
  return context.uc_mcontext.fpregs != nullptr &&
         (context.uc_mcontext.fpregs->swd & kStackFaultFlag) != 0;
}

Fault floatingPointFault(const siginfo_t& info, const ucontext_t& context) {
  switch (info.si_code) {
    case FPE_FLTDIV: return Fault::floatingDivisionByZero;
    case FPE_FLTOVF: return Fault::floatingOverflow;
    case FPE_FLTUND: return Fault::floatingUnderflow;
    case FPE_FLTRES: return Fault::floatingInexactResult;
    case FPE_FLTINV:
      return isX87StackFault(context) ? Fault::floatingStackFault : Fault::floatingInvalidOperation;
    case FPE_FLTSUB: return Fault::subscriptOutOfRange;
    case FPE_INTDIV: return Fault::integerDivisionByZero;
    case FPE_INTOVF: return Fault::integerOverflow;
    default: return Fault::otherErrorFault;
  }
}

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

bool isStackOverflow(std::uintptr_t address, std::uintptr_t stack) {
  bool nearStackPointer =
      address + kNearStackPointer >= stack && address <= stack + kNearStackPointer;
  bool inStackArea = address >= mainStack.lowest && address < mainStack.top;
  return nearStackPointer || inStackArea;
}

Fault memoryFault(const siginfo_t& info, const ucontext_t& context) {
  if (info.si_code == SI_KERNEL) {
    auto code = reinterpret_cast<const unsigned char*>(instructionPointer(context));
    return isPrivilegedInstruction(code) ? Fault::privilegedInstruction : Fault::memoryAccess;
  }
  if (info.si_code <= 0) return Fault::otherErrorFault;  // sent, not a fault
  auto address = reinterpret_cast<std::uintptr_t>(info.si_addr);
  return isStackOverflow(address, stackPointer(context)) ? Fault::stackOverflow
                                                         : Fault::memoryAccess;
}

Fault busFault(const siginfo_t& info) {
  switch (info.si_code) {
    case BUS_ADRALN:
    case BUS_ADRERR:
    case BUS_OBJERR: return Fault::memoryAccess;
    default: return Fault::otherErrorFault;
  }
}

Fault instructionFault(const siginfo_t& info) {
  switch (info.si_code) {
    case ILL_ILLOPC:
    case ILL_ILLOPN:
    case ILL_ILLADR:
    case ILL_ILLTRP: return Fault::illegalInstruction;
    case ILL_PRVOPC:
    case ILL_PRVREG: return Fault::privilegedInstruction;
    default: return Fault::otherErrorFault;
  }
}

Fault classify(int signalNumber, const siginfo_t& info, const ucontext_t& context) {
  switch (signalNumber) {
    case SIGFPE: return floatingPointFault(info, context);
    case SIGSEGV: return memoryFault(info, context);
    case SIGBUS: return busFault(info);
    case SIGILL: return instructionFault(info);
    default: return Fault::otherFault;
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

}  // namespace

void setUpArithmetic() {
  unsigned short x87Control = kX87Control;
  unsigned sseControl = kSseControl;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(x87Control));
  asm volatile("ldmxcsr %0" : : "m"(sseControl));
}

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
  for (int signalNumber : kFaultSignals) sigaction(signalNumber, &action, nullptr);

  // A blocked signal mask is inherited from whoever started the program; a
  // fault with its signal blocked would kill the process without a report.
  sigset_t faults;
  sigemptyset(&faults);
  for (int signalNumber : kFaultSignals) sigaddset(&faults, signalNumber);
  sigprocmask(SIG_UNBLOCK, &faults, nullptr);
}

int codeLocations(CodeAddress origin, std::uint32_t* locations, int capacity) {
  OwnCode ownCode{reinterpret_cast<std::uintptr_t>(&_start),
                  reinterpret_cast<std::uintptr_t>(&tanshukuOwnCodeEnd), loadBias};
  return ownCodeLocations(origin, ownCode, frames, walkStack(), locations, capacity);
}

}  // namespace Platform
