#include <windows.h>

#include <cstdint>

#include "console/platform/faults.hpp"
#include "console/platform/own_code_frames.hpp"

#if !defined(__x86_64__)
#error "fault handling reads the x86-64 registers of the interrupted code"
#endif

// The bounds of the program's own code: the labels of
// windows_own_code_start.cpp, linked ahead of the program's first function
// (behind the C runtime's start-up code), and of own_code_end.cpp, behind its
// last.
extern "C" void tanshukuOwnCodeStart();
extern "C" void tanshukuOwnCodeEnd();
// Where the loader put the executable (the linker's name for it).
extern "C" IMAGE_DOS_HEADER __ImageBase;  // NOLINT(bugprone-reserved-identifier)

namespace Platform {
namespace {

FaultHandler faultHandler = nullptr;

// Room left on the stack when it overflows, for the handler and the report.
constexpr ULONG kStackGuarantee = 64 * 1024;

// The handler's own frames, the system's exception dispatch, and the most
// callers a report shows.
constexpr int kMaxFrames = 300;
std::uintptr_t frames[kMaxFrames];

// The faulting code's registers, where the stack walk of a fault report
// starts; kept here rather than on the overflowed stack.
CONTEXT faultContext;
bool faultContextKept = false;
CONTEXT walkContext;

// An invalid operation with the x87 stack-fault flag set.
bool isX87StackFault(const CONTEXT& context) {
  constexpr unsigned kStackFaultFlag = 0x40;
  return (context.FltSave.StatusWord & kStackFaultFlag) != 0;
}

// Faults are exceptions of error severity, and the debugging traps; the
// system's notices (a guard page touched, a debugger's output) are not.
bool isFault(DWORD code) {
  constexpr DWORD kSeverityError = 0xC0000000;
  return (code & kSeverityError) == kSeverityError || code == EXCEPTION_BREAKPOINT ||
         code == EXCEPTION_SINGLE_STEP;
}

Fault classify(DWORD code, const CONTEXT& context) {
  switch (code) {
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: return Fault::floatingDivisionByZero;
    case EXCEPTION_FLT_OVERFLOW: return Fault::floatingOverflow;
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_FLT_DENORMAL_OPERAND: return Fault::floatingUnderflow;
    case EXCEPTION_FLT_INEXACT_RESULT: return Fault::floatingInexactResult;
    case EXCEPTION_FLT_INVALID_OPERATION:
      return isX87StackFault(context) ? Fault::floatingStackFault : Fault::floatingInvalidOperation;
    case EXCEPTION_FLT_STACK_CHECK: return Fault::floatingStackFault;
    case STATUS_FLOAT_MULTIPLE_TRAPS:
    case STATUS_FLOAT_MULTIPLE_FAULTS: return Fault::floatingInvalidOperation;
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return Fault::subscriptOutOfRange;
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return Fault::integerDivisionByZero;
    case EXCEPTION_INT_OVERFLOW: return Fault::integerOverflow;
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_DATATYPE_MISALIGNMENT: return Fault::memoryAccess;
    case EXCEPTION_STACK_OVERFLOW: return Fault::stackOverflow;
    case EXCEPTION_ILLEGAL_INSTRUCTION: return Fault::illegalInstruction;
    case EXCEPTION_PRIV_INSTRUCTION: return Fault::privilegedInstruction;
    case EXCEPTION_BREAKPOINT:
    case EXCEPTION_SINGLE_STEP: return Fault::anyOtherFault;
    default: return Fault::otherFaultOfErrorSeverity;
  }
}

LONG CALLBACK onException(EXCEPTION_POINTERS* exception) {
  DWORD code = exception->ExceptionRecord->ExceptionCode;
  if (!isFault(code)) return EXCEPTION_CONTINUE_SEARCH;
  asm volatile("fnclex");  // a pending x87 exception would strike again in the report
  faultContext = *exception->ContextRecord;
  faultContextKept = true;
  faultHandler(classify(code, faultContext), reinterpret_cast<const void*>(faultContext.Rip));
  TerminateProcess(GetCurrentProcess(), kHandlerReturned);
  return EXCEPTION_CONTINUE_SEARCH;
}

// One frame outwards. A return address may lie just behind its function's
// end (after a call that does not return), so the function is looked up
// at the call instruction before it.
bool unwindFrame(CONTEXT& context, bool isReturnAddress) {
  DWORD64 imageBase = 0;
  DWORD64 lookup = context.Rip - (isReturnAddress ? 1 : 0);
  PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(lookup, &imageBase, nullptr);
  if (function == nullptr) {  // a leaf function: the return address is on top
    context.Rip = *reinterpret_cast<DWORD64*>(context.Rsp);
    context.Rsp += sizeof(DWORD64);
  } else {
    void* handlerData = nullptr;
    DWORD64 establisherFrame = 0;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData,
                     &establisherFrame, nullptr);
  }
  return context.Rip != 0;
}

// The code addresses of the active frames, innermost first, from the fault's
// registers when a fault is reported, else from here.
int walkStack() {
  if (faultContextKept) {
    walkContext = faultContext;
  } else {
    RtlCaptureContext(&walkContext);
  }
  int count = 0;
  do {
    frames[count++] = walkContext.Rip;
  } while (count < kMaxFrames && unwindFrame(walkContext, count > 1));
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
  ULONG guarantee = kStackGuarantee;
  SetThreadStackGuarantee(&guarantee);
  AddVectoredExceptionHandler(1, onException);
}

int codeLocations(CodeAddress origin, std::uint32_t* locations, int capacity) {
  auto loadedAt = reinterpret_cast<std::uintptr_t>(&__ImageBase);
  OwnCode ownCode{reinterpret_cast<std::uintptr_t>(&tanshukuOwnCodeStart),
                  reinterpret_cast<std::uintptr_t>(&tanshukuOwnCodeEnd),
                  loadedAt - std::uintptr_t{TANSHUKU_IMAGE_BASE}};
  return ownCodeLocations(origin, ownCode, frames, walkStack(), locations, capacity);
}

}  // namespace Platform
