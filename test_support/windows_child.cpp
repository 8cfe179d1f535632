#include "test_support/windows_child.hpp"

#include <stdexcept>

ChildPipe makeChildPipe(ChildEnd childEnd) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) throw std::runtime_error("pipe failed");
  ChildPipe pipe =
      childEnd == ChildEnd::reads ? ChildPipe{readEnd, writeEnd} : ChildPipe{writeEnd, readEnd};
  SetHandleInformation(pipe.testEnd, HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

namespace {

std::string commandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = "\"" + program + "\"";
  for (const std::string& argument : arguments) line += " \"" + argument + "\"";
  return line;
}

}  // namespace

PROCESS_INFORMATION startChild(const std::string& program,
                               const std::vector<std::string>& arguments, HANDLE standardInput,
                               HANDLE standardOutput) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = standardInput;
  startup.hStdOutput = standardOutput;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string line = commandLine(program, arguments);
  PROCESS_INFORMATION child{};
  // Under load Wine now and then fails to start a process with an internal
  // error; that says nothing about the program, so the start is tried again.
  constexpr int kAttempts = 5;
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &child)) {
      break;
    }
    DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == kAttempts) {
      throw std::runtime_error("cannot start " + program + ": error " + std::to_string(error));
    }
    Sleep(100);
  }
  CloseHandle(child.hThread);
  return child;
}

int waitForChild(HANDLE process) {
  WaitForSingleObject(process, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process, &exitCode);
  CloseHandle(process);
  return static_cast<int>(exitCode);
}
