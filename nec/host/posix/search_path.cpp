#include "nec/host/posix/search_path.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace SearchPath {

std::optional<std::string> find(const std::string& command) {
  const char* searchPath = std::getenv("PATH");
  std::istringstream folders(searchPath != nullptr ? searchPath : "/bin:/usr/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate =
        std::filesystem::path(folder.empty() ? "." : folder) / command;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error) &&
        access(candidate.c_str(), X_OK) == 0) {
      return std::filesystem::absolute(candidate, error).string();
    }
  }
  return std::nullopt;
}

}  // namespace SearchPath
