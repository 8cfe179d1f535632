#include "nec/host/posix/file_output.hpp"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "nec/host/posix/interruptions.hpp"
#include "utf8/write_all.hpp"

namespace FileOutput {
namespace {

using Filler = std::function<Outcome(const std::string&)>;

constexpr int kMostLinks = 40;  // as many as the kernel follows in one name

Outcome failedWith(int error) { return Outcome{error != 0 ? error : EIO}; }

// The text of the symbolic link, or empty where path is no link.
std::string linkText(const std::string& path) {
  std::string text(PATH_MAX, '\0');
  const ssize_t length = readlink(path.c_str(), text.data(), text.size());
  if (length <= 0) return {};
  text.resize(static_cast<size_t>(length));
  return text;
}

// The name the links end at, each relative link read from its own folder;
// the name itself where it is no link. Empty where the links go round.
std::string finalTarget(std::string path) {
  for (int hop = 0; hop <= kMostLinks; ++hop) {
    const std::string text = linkText(path);
    if (text.empty()) return path;
    const std::filesystem::path link(text);
    path = link.is_absolute() ? text : (std::filesystem::path(path).parent_path() / link).string();
  }
  return {};
}

// The standard output or error that is this very file (as /dev/stdout is),
// or -1. Such a file is written through that descriptor, in order with what
// the program prints there: a file opened anew would start at its first
// byte, a file renamed over it would leave the descriptor writing to a
// file that is gone.
int standardStreamOf(const struct stat& file) {
  for (const int descriptor : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat stream {};
    if (fstat(descriptor, &stream) == 0 && stream.st_dev == file.st_dev &&
        stream.st_ino == file.st_ino) {
      return descriptor;
    }
  }
  return -1;
}

mode_t currentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

// Gives the replacement the old file's owner, group and permissions (owner
// first: a change of owner clears the set-user-ID bits). Only root may give
// a file away; a user may still give it one of their groups. Where the
// group cannot be kept, its permissions are not given to the user's own
// group. A new file gets the modes the umask leaves, as any new file does.
// False where the modes could not be set: the file stays readable by its
// owner alone, as mkstemp made it.
bool takeOverAttributes(int descriptor, const std::string& target) {
  struct stat old {};
  if (stat(target.c_str(), &old) != 0) return fchmod(descriptor, 0666 & ~currentUmask()) == 0;
  mode_t mode = old.st_mode & 07777;
  if (fchown(descriptor, old.st_uid, old.st_gid) != 0 &&
      fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) != 0) {
    mode &= ~static_cast<mode_t>(S_IRWXG);
  }
  return fchmod(descriptor, mode) == 0;
}

// Writes the bytes to the descriptor and closes it; fsync first where
// asked, for file systems that tell a full disk only then.
Outcome writeAndClose(int descriptor, std::string_view bytes, bool sync) {
  Outcome outcome = writeAll(descriptor, bytes) ? Outcome{} : failedWith(errno);
  if (outcome && sync && fsync(descriptor) != 0) outcome = failedWith(errno);
  if (close(descriptor) != 0 && outcome) outcome = failedWith(errno);
  return outcome;
}

Outcome writeTemporary(const std::string& temporary, std::string_view bytes) {
  const int descriptor = open(temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (descriptor < 0) return failedWith(errno);
  return writeAndClose(descriptor, bytes, true);
}

// A device, pipe or terminal takes the bytes as they come: no O_CREAT (the
// file is there), no O_TRUNC (it means nothing there); O_NOCTTY so that a
// terminal named does not become the program's own. A named pipe's open
// waits for its reader.
Outcome writeDirect(const Target& target, std::string_view bytes) {
  if (target.stream >= 0) {
    std::fflush(nullptr);  // what the program printed comes first
    return writeAll(target.stream, bytes) ? Outcome{} : failedWith(errno);
  }
  const int descriptor = open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return failedWith(errno);
  return writeAndClose(descriptor, bytes, false);
}

// A new empty file of a unique name made from pattern (ending in XXXXXX);
// empty, with errno, where none can be made.
std::string createTemporary(std::string pattern) {
  const int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) return {};
  close(descriptor);
  return pattern;
}

// The file filled under a temporary name beside it and renamed over it.
// The temporary file takes the old file's attributes only once filled: a
// read-only mode would keep the fill from writing it.
Outcome replaceThrough(const std::string& target, const Filler& fill) {
  const Nec2::Interruptions held;  // until the temporary file is renamed or gone
  const std::filesystem::path path(target);
  std::string temporary =
      (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) return failedWith(errno);
  Outcome outcome = fill(temporary);
  if (outcome) takeOverAttributes(descriptor, target);
  close(descriptor);
  if (outcome && std::rename(temporary.c_str(), target.c_str()) != 0) outcome = failedWith(errno);
  if (!outcome) std::remove(temporary.c_str());
  return outcome;
}

// A device or pipe cannot be renamed over: the fill goes into a temporary
// file in the temporary folder, whose bytes are then written into it.
Outcome copyThrough(const Target& target, const Filler& fill) {
  const Nec2::Interruptions held;  // until the temporary file is gone
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  const std::string temporary = createTemporary(
      ((error ? std::filesystem::path("/tmp") : folder) / "tanshuku-nec.XXXXXX").string());
  if (temporary.empty()) return failedWith(errno);
  Outcome outcome = fill(temporary);
  if (outcome) {
    std::ifstream filled(temporary, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(filled), {}};
    outcome = filled.bad() ? failedWith(EIO) : writeDirect(target, bytes);
  }
  std::remove(temporary.c_str());
  return outcome;
}

Outcome writeThroughTemporary(const Target& target, const Filler& fill) {
  switch (target.kind) {
    case Kind::replaced: return replaceThrough(target.path, fill);
    case Kind::direct: return copyThrough(target, fill);
    case Kind::folder: return failedWith(EISDIR);
    case Kind::loop: return failedWith(ELOOP);
  }
  return failedWith(EINVAL);
}

Obstacle folderObstacle(const std::string& target) {
  std::filesystem::path folder = std::filesystem::path(target).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return Obstacle::noFolder;
  if (access(folder.c_str(), W_OK | X_OK) != 0) return Obstacle::readOnlyFolder;
  return Obstacle::none;
}

}  // namespace

std::string reason(const Outcome& outcome) {
  return outcome.error > 0 ? std::strerror(outcome.error) : "";
}

Target targetOf(const std::string& path) {
  // stat follows every link, /dev/stdout's to the process's own descriptor
  // too, which readlink cannot name.
  struct stat file {};
  if (stat(path.c_str(), &file) == 0) {
    if (S_ISDIR(file.st_mode)) return {Kind::folder, path};
    if (const int stream = standardStreamOf(file); stream >= 0) {
      return {Kind::direct, path, stream};
    }
    if (!S_ISREG(file.st_mode)) return {Kind::direct, path};
  }
  const std::string target = finalTarget(path);
  if (target.empty()) return {Kind::loop, path};
  return {Kind::replaced, target};
}

Obstacle obstacleTo(const std::string& path) {
  if (std::filesystem::path(path).filename().empty()) return Obstacle::folder;
  const Target target = targetOf(path);
  switch (target.kind) {
    case Kind::folder: return Obstacle::folder;
    case Kind::loop: return Obstacle::loop;
    case Kind::direct:
      // A device needs no folder that takes files, only its own permission.
      return target.stream >= 0 || access(target.path.c_str(), W_OK) == 0 ? Obstacle::none
                                                                          : Obstacle::readOnlyFile;
    case Kind::replaced: return folderObstacle(target.path);
  }
  return Obstacle::none;
}

Outcome writeWhole(const std::string& path, std::string_view bytes) {
  const Target target = targetOf(path);
  if (target.kind == Kind::direct) return writeDirect(target, bytes);
  return writeThroughTemporary(
      target, [bytes](const std::string& temporary) { return writeTemporary(temporary, bytes); });
}

Outcome writeThrough(const std::string& path, const std::function<bool(const std::string&)>& fill) {
  return writeThroughTemporary(targetOf(path), [&fill](const std::string& temporary) {
    return fill(temporary) ? Outcome{} : Outcome{kNotFilled};
  });
}

}  // namespace FileOutput
