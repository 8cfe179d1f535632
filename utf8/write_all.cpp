#include "utf8/write_all.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<size_t>(written));
    } else if (written < 0 && errno == EAGAIN) {
      pollfd ready{descriptor, POLLOUT, 0};
      poll(&ready, 1, -1);
    } else if (written == 0) {
      errno = EIO;  // a write that takes nothing would be tried for ever
      return false;
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}
