#include <windows.h>

#include <stdexcept>

#include "test_support/interactive.hpp"
#include "test_support/windows_child.hpp"

namespace {

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }
std::intptr_t valueOf(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

}  // namespace

InteractiveProcess::InteractiveProcess(const std::string& program, Terminal terminal,
                                       const std::vector<std::string>& arguments) {
  if (terminal == Terminal::pseudo) {
    throw std::logic_error("a pseudo-terminal is not available on Windows");
  }
  ChildPipe in = makeChildPipe(ChildEnd::reads);
  ChildPipe out = makeChildPipe(ChildEnd::writes);
  PROCESS_INFORMATION child = startChild(program, arguments, in.childEnd, out.childEnd);
  CloseHandle(in.childEnd);
  CloseHandle(out.childEnd);
  child_ = valueOf(child.hProcess);
  input_ = valueOf(in.testEnd);
  output_ = valueOf(out.testEnd);
}

InteractiveProcess::~InteractiveProcess() {
  if (input_ != -1) CloseHandle(handleOf(input_));
  if (output_ != -1) CloseHandle(handleOf(output_));
  if (child_ != -1) {
    TerminateProcess(handleOf(child_), 255);
    CloseHandle(handleOf(child_));
  }
}

// Appends what arrives within timeoutMilliseconds; false when nothing did or
// the output closed.
bool InteractiveProcess::readSome(std::string& text, int timeoutMilliseconds) {
  constexpr DWORD kStepMilliseconds = 5;
  DWORD available = 0;
  for (int waited = 0;; waited += kStepMilliseconds) {
    if (!PeekNamedPipe(handleOf(output_), nullptr, 0, nullptr, &available, nullptr)) return false;
    if (available > 0) break;
    if (waited >= timeoutMilliseconds) return false;
    Sleep(kStepMilliseconds);
  }
  char buffer[4096];
  DWORD got = 0;
  DWORD wanted = available < sizeof buffer ? available : DWORD{sizeof buffer};
  if (!ReadFile(handleOf(output_), buffer, wanted, &got, nullptr) || got == 0) return false;
  text.append(buffer, got);
  return true;
}

void InteractiveProcess::send(const std::string& bytes) {
  DWORD written = 0;
  if (!WriteFile(handleOf(input_), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                 nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("write to the program failed");
  }
}

void InteractiveProcess::closeInput() {
  CloseHandle(handleOf(input_));
  input_ = -1;
}

int InteractiveProcess::wait() {
  const int exitCode = waitForChild(handleOf(child_));
  child_ = -1;
  return exitCode;
}
