#include "nec/host/posix/temporary_folder.hpp"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "nec/model/solver_failure.hpp"

namespace Nec2 {
namespace {

std::string temporaryRoot() {
  const char* root = std::getenv("TMPDIR");
  return root != nullptr && root[0] != '\0' ? root : "/tmp";
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
  std::string pattern = temporaryRoot() + "/nec2-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) {
    throw SolverFailed(SolverFailed::Cause::notRun,
                       "no temporary folder for nec2c: " + pattern + ": " + std::strerror(errno),
                       "");
  }
  path_ = name.data();
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace Nec2
