// Starting a child process on Windows with chosen standard handles: what the
// runner and the step-by-step runner share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A pipe whose end given to the child is inheritable and whose other end,
// kept by the test, is not.
struct ChildPipe {
  HANDLE childEnd = nullptr;
  HANDLE testEnd = nullptr;
};
enum class ChildEnd { reads, writes };
ChildPipe makeChildPipe(ChildEnd childEnd);

// Starts program with arguments and the given standard handles (a null
// handle leaves that one closed); throws when it cannot.
PROCESS_INFORMATION startChild(const std::string& program,
                               const std::vector<std::string>& arguments, HANDLE standardInput,
                               HANDLE standardOutput);

// Waits for the child to end, closes its handle and returns its exit code.
int waitForChild(HANDLE process);
