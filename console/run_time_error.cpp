#include "console/run_time_error.hpp"

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "arithmetic/arithmetic_fault.hpp"
#include "arithmetic/extended.hpp"
#include "arithmetic/return_address.hpp"
#include "console/decimal.hpp"
#include "console/platform/faults.hpp"
#include "console/platform/io.hpp"
#include "console/text_stream.hpp"
#include "contract/program_contract.hpp"

namespace RunTime {
namespace {

// Caller lines of a report: a screenful on a console, many more when the
// output is kept in a file or a pipe.
using ProgramContract::kConsoleCallerLines;
using ProgramContract::kKeptCallerLines;

const void* caller = nullptr;
bool reporting = false;
int numberBeingReported = 0;
std::uint32_t locations[1 + kKeptCallerLines];

int faultNumber(Platform::Fault fault) {
  using Platform::Fault;
  switch (fault) {
    case Fault::floatingDivisionByZero:
    case Fault::integerDivisionByZero: return divisionByZero;
    case Fault::subscriptOutOfRange: return subscriptOutOfRange;
    case Fault::stackOverflow: return stackOverflow;
    case Fault::floatingOverflow: return floatingOverflow;
    case Fault::floatingUnderflow: return floatingUnderflow;
    case Fault::floatingInvalidOperation:
    case Fault::floatingStackFault:
    case Fault::floatingInexactResult: return invalidOperation;
    case Fault::integerOverflow: return integerOverflow;
    case Fault::memoryAccess:
    case Fault::illegalInstruction: return accessViolation;
    case Fault::privilegedInstruction: return privilegedInstruction;
    case Fault::otherFaultOfErrorSeverity: return otherFaultOfErrorSeverity;
    case Fault::anyOtherFault: return anyOtherFault;
  }
  return anyOtherFault;
}

void putLocationLine(std::string_view prefix, std::uint32_t location) {
  char digits[ProgramContract::kLocationDigits];
  for (int i = ProgramContract::kLocationDigits - 1; i >= 0; --i) {
    digits[i] = "0123456789ABCDEF"[location & 0xF];
    location >>= 4;
  }
  TextStream::put(prefix);
  TextStream::put(std::string_view(digits, sizeof digits));
  TextStream::put("\r\n");
}

// A window of the program's own closes when it ends: what went wrong, in
// Japanese, and the report stay until a key is pressed.
void explainAndWaitForKey(int number) {
  if (const ProgramContract::Explanation* explanation = ProgramContract::answerError(number)) {
    for (std::string_view line : {explanation->what, explanation->advice}) {
      TextStream::put(line);
      TextStream::put("\r\n");
    }
  }
  TextStream::put(kPressAKeyToClose);
  TextStream::flush();
  Platform::waitForKey();
}

// Inside a dialogue operation the report starts at the operation's caller.
Platform::CodeAddress reportOrigin(Platform::CodeAddress elsewhere) {
  if (caller != nullptr) return {caller, true};
  return elsewhere;
}

[[noreturn]] void report(int number, Platform::CodeAddress origin) {
  // Only a failed write of the report itself comes back here.
  if (reporting) Platform::exitProcess(writeFailed);
  numberBeingReported = number;
  reporting = true;

  int callerLines = TextStream::outputIsConsole() ? kConsoleCallerLines : kKeptCallerLines;
  int count = Platform::codeLocations(origin, locations, 1 + callerLines);
  if (count == 0) locations[count++] = 0;

  TextStream::put(ProgramContract::kReportStart);
  TextStream::put(Decimal::digitsOf(static_cast<std::uint64_t>(number)).view());
  putLocationLine(ProgramContract::kReportAt, locations[0]);
  for (int i = 0; i < count; ++i) putLocationLine(ProgramContract::kLocationLine, locations[i]);
  TextStream::put("\r\n");
  TextStream::flush();
  if (Platform::ownsItsWindow()) explainAndWaitForKey(number);
  Platform::exitProcess(number);
}

[[noreturn]] void reportFault(int number, Platform::CodeAddress origin) {
  // A fault while the report is made: what it could not show stays unshown.
  if (reporting) Platform::exitProcess(numberBeingReported);
  report(number, reportOrigin(origin));
}

void onFault(Platform::Fault fault, const void* faultAddress) {
  reportFault(faultNumber(fault), {faultAddress, false});
}

#if TANSHUKU_EXTENDED_IN_SOFTWARE
int arithmeticFaultNumber(Arithmetic::Fault fault) {
  using Arithmetic::Fault;
  switch (fault) {
    case Fault::invalidOperation: return invalidOperation;
    case Fault::divisionByZero: return divisionByZero;
    case Fault::overflow: return floatingOverflow;
  }
  return anyOtherFault;
}

// A fault of the software extended arithmetic, reported as the x87's trap
// is: at the formula, the call of the operation that faulted.
void onArithmeticFault(Arithmetic::Fault fault, const void* returnAddress) {
  reportFault(arithmeticFaultNumber(fault), {returnAddress, true});
}
#endif

}  // namespace

void setUpFaultHandling() {
  Platform::setUpArithmetic();
  Platform::installFaultHandler(onFault);
#if TANSHUKU_EXTENDED_IN_SOFTWARE
  Arithmetic::setFaultHandler(onArithmeticFault);
#endif
  TextStream::setFailureHandler(runTimeError);
}

[[gnu::noinline]] void runTimeError(int number) {
  report(number, reportOrigin({RETURN_ADDRESS(), true}));
}

[[gnu::noinline]] void endProgram(int exitCode) {
  // A write that fails here is reported where the program was ended.
  CallerScope scope(RETURN_ADDRESS());
  TextStream::flush();
  Platform::exitProcess(exitCode);
}

CallerScope::CallerScope(const void* returnAddress) noexcept : outermost_(caller == nullptr) {
  if (outermost_) caller = returnAddress;
}

CallerScope::~CallerScope() {
  if (outermost_) caller = nullptr;
}

}  // namespace RunTime
