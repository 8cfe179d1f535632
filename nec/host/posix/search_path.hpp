// Where a command of the search path is, as the C library's execvp looks
// for it: the folders of PATH in turn (an empty entry is the working
// folder), /bin:/usr/bin where PATH is not set.
#pragma once

#include <optional>
#include <string>

namespace SearchPath {

// The command's absolute path; empty where no folder has it as an
// executable file.
std::optional<std::string> find(const std::string& command);

}  // namespace SearchPath
