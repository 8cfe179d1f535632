#pragma once

#include <sys/types.h>

#include <cerrno>
#include <string_view>

// Whether a read or write on a non-blocking descriptor found nothing to do
// yet, or was interrupted: it is tried again when the descriptor is ready.
inline bool retryLater(ssize_t result) { return result < 0 && (errno == EAGAIN || errno == EINTR); }

// Writes all bytes to the descriptor, waiting where it is non-blocking;
// false when a write fails or takes nothing (a full disk, a file at its size
// limit, a closed pipe), with errno telling why.
bool writeAll(int descriptor, std::string_view bytes);
