// Provisional: the report's locations and the fault handler come next.
#include "console/run_time_error.hpp"

#include <cfenv>

#include "console/platform/io.hpp"
#include "console/text_stream.hpp"

namespace RunTime {
namespace {
const void* caller = nullptr;
bool reporting = false;
}  // namespace

void setUpFaultHandling() { feenableexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW); }

void runTimeError(int number) {
  if (reporting) Platform::exitProcess(writeFailed);
  reporting = true;
  char line[40] = "Runtime error ";
  int length = 14;
  char digits[4];
  int count = 0;
  for (int n = number; n > 0; n /= 10) digits[count++] = static_cast<char>('0' + n % 10);
  while (count > 0) line[length++] = digits[--count];
  TextStream::put(std::string_view(line, static_cast<size_t>(length)));
  TextStream::put(" at $00000000\r\n  $00000000\r\n  $00000000\r\n\r\n");
  TextStream::flush();
  Platform::exitProcess(number);
}

void endProgram(int exitCode) {
  TextStream::flush();
  Platform::exitProcess(exitCode);
}

CallerScope::CallerScope(const void* returnAddress) noexcept : outermost_(caller == nullptr) {
  if (outermost_) caller = returnAddress;
}

CallerScope::~CallerScope() {
  if (outermost_) caller = nullptr;
}

const void* operationCaller() { return caller; }

}  // namespace RunTime
