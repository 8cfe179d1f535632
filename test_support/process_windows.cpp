#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "test_support/process.hpp"
#include "test_support/windows_child.hpp"

namespace {

HANDLE openInheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  // Backup semantics let a folder be opened too (reading it then fails).
  HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                            disposition, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  return file;
}

void writeAll(HANDLE pipe, InputFeed* feed) {
  while (!feed->pending().empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(feed->pending().size(), 65536));
    DWORD put = 0;
    if (!WriteFile(pipe, feed->pending().data(), chunk, &put, nullptr)) break;
    feed->written(put);
  }
  CloseHandle(pipe);
}

}  // namespace

ProcessResult runProcess(const std::string& program, const std::string& input,
                         const ProcessOptions& options) {
  if (options.inChild) throw std::logic_error("inChild needs fork, which Windows lacks");
  ChildPipe in = makeChildPipe(ChildEnd::reads);
  ChildPipe out = makeChildPipe(ChildEnd::writes);
  HANDLE childIn = in.childEnd;
  HANDLE childOut = out.childEnd;
  if (options.closeStdin) childIn = nullptr;
  if (!options.stdinPath.empty()) {
    childIn = openInheritable(options.stdinPath, GENERIC_READ, OPEN_EXISTING);
  }
  if (options.unreadStdout) {
    CloseHandle(out.testEnd);
    out.testEnd = nullptr;
  }
  if (options.closeStdout) childOut = nullptr;
  if (!options.stdoutPath.empty()) {
    childOut = openInheritable(options.stdoutPath, GENERIC_WRITE, CREATE_ALWAYS);
  }
  PROCESS_INFORMATION child = startChild(program, options.arguments, childIn, childOut);
  if (!options.stdinPath.empty()) CloseHandle(childIn);
  if (!options.stdoutPath.empty()) CloseHandle(childOut);
  CloseHandle(in.childEnd);
  CloseHandle(out.childEnd);

  InputFeed feed(input, options.moreInput);
  std::thread writer(writeAll, in.testEnd, &feed);
  std::thread watchdog([&] {
    DWORD milliseconds = static_cast<DWORD>(options.timeoutSeconds) * 1000;
    if (WaitForSingleObject(child.hProcess, milliseconds) == WAIT_TIMEOUT) {
      TerminateProcess(child.hProcess, 255);
    }
  });
  ProcessResult result;
  char buffer[65536];
  DWORD got = 0;
  while (out.testEnd != nullptr && ReadFile(out.testEnd, buffer, sizeof buffer, &got, nullptr) &&
         got > 0) {
    result.output.append(buffer, got);
  }
  if (out.testEnd != nullptr) CloseHandle(out.testEnd);
  watchdog.join();
  writer.join();
  result.exitCode = waitForChild(child.hProcess);
  return result;
}
