#include "nec/file_output.hpp"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "nec/interruptions.hpp"
#include "utf8/write_all.hpp"

namespace FileOutput {
std::string createTemporaryBeside(const std::string& path) {
  const std::filesystem::path target(path);
  std::string name =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0) return {};
  close(descriptor);
  return name;
}

bool writeThrough(const std::string& path, const std::function<bool(const std::string&)>& fill) {
  // Ctrl-C and the other ending signals wait until the file is renamed or
  // removed.
  const Nec2::Interruptions held;
  const std::string temporary = createTemporaryBeside(path);
  if (temporary.empty()) return false;
  // mkstemp makes the file readable by its owner alone; the file's own name
  // gets the modes any new file of the user gets.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(temporary.c_str(), 0666 & ~mask);
  if (fill(temporary) && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

bool writeWhole(const std::string& path, std::string_view bytes) {
  return writeThrough(path, [bytes](const std::string& temporary) {
    const int descriptor = open(temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (descriptor < 0) return false;
    const bool written = writeAll(descriptor, bytes);
    return close(descriptor) == 0 && written;
  });
}

}  // namespace FileOutput
