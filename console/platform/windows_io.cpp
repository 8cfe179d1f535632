#include <windows.h>

#include "console/platform/io.hpp"

namespace Platform {
namespace {

// The console's code pages as the user had them, restored on every way out.
constexpr UINT kShiftJis = 932;
UINT userInputCodePage = 0;
UINT userOutputCodePage = 0;

void restoreCodePages() {
  if (userOutputCodePage != 0) SetConsoleOutputCP(userOutputCodePage);
  if (userInputCodePage != 0) SetConsoleCP(userInputCodePage);
}

// Ctrl-C, Ctrl-Break or a closed console window end the process through the
// system's own handler, after this one.
BOOL WINAPI onConsoleEvent(DWORD) {
  restoreCodePages();
  return FALSE;
}

bool isConsole(DWORD standardHandle) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

// On a console the screens are Shift-JIS whatever the user's code pages are:
// typed answers arrive in it, the program's bytes are shown as it.
void useShiftJisOnConsole() {
  if (!isConsole(STD_INPUT_HANDLE) && !isConsole(STD_OUTPUT_HANDLE)) return;
  userInputCodePage = GetConsoleCP();
  userOutputCodePage = GetConsoleOutputCP();
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
  SetConsoleCP(kShiftJis);
  SetConsoleOutputCP(kShiftJis);
}

}  // namespace

int readInput(unsigned char* buffer, int size) {
  DWORD count = 0;
  if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, static_cast<DWORD>(size), &count, nullptr)) {
    return static_cast<int>(count);
  }
  DWORD error = GetLastError();
  if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;
  return -static_cast<int>(error);
}

bool writeOutput(const unsigned char* bytes, int count) {
  DWORD written = 0;
  return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes, static_cast<DWORD>(count), &written,
                   nullptr) &&
         written == static_cast<DWORD>(count);
}

bool openStandardOutput() {
  useShiftJisOnConsole();
  return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

// Alone on a console that both standard handles use: a window of its own.
// Started from cmd, PowerShell or Windows Terminal, the shell shares it.
bool ownsItsWindow() {
  DWORD processes[2];
  return isConsole(STD_INPUT_HANDLE) && isConsole(STD_OUTPUT_HANDLE) &&
         GetConsoleProcessList(processes, 2) == 1;
}

void waitForKey() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  FlushConsoleInputBuffer(input);
  INPUT_RECORD record{};
  DWORD count = 0;
  while (ReadConsoleInputW(input, &record, 1, &count) && count == 1) {
    if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
  }
}

void exitProcess(int exitCode) {
  restoreCodePages();
  // At once, as after a fault: no library clean-up runs. TerminateProcess
  // does not return for the calling process, but is not declared so:
  // ExitProcess, which is, tells the compiler that nothing follows.
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace Platform
