#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "console/platform/io.hpp"

namespace Platform {

int readInput(unsigned char* buffer, int size) {
  for (;;) {
    ssize_t count = ::read(STDIN_FILENO, buffer, static_cast<size_t>(size));
    if (count >= 0) return static_cast<int>(count);
    if (errno == EINTR) continue;
    return -errno;
  }
}

bool writeOutput(const unsigned char* bytes, int count) {
  ssize_t written;
  do {
    written = ::write(STDOUT_FILENO, bytes, static_cast<size_t>(count));
  } while (written < 0 && errno == EINTR);
  return written == count;
}

bool openStandardOutput() {
  // A closed pipe and a file grown to its size limit make the write fail
  // (run-time error 101) instead of killing the process.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  struct stat status {};
  return ::fstat(STDOUT_FILENO, &status) == 0 && S_ISCHR(status.st_mode);
}

bool ownsItsWindow() { return false; }

void waitForKey() {}

void exitProcess(int exitCode) { ::_exit(exitCode); }

}  // namespace Platform
