// Files written whole or not at all: under a temporary name in the same
// folder, renamed to their own name once complete, so that no reader ever
// sees half a file and a failure leaves nothing behind.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace FileOutput {

// A temporary name beside the file, unique to this process: created empty
// (so that no other file of that name is overwritten) and returned; empty
// when the folder takes no new file.
std::string createTemporaryBeside(const std::string& path);

// Writes the bytes under a temporary name and renames it to path. False, with
// nothing left behind, where any step fails.
bool writeWhole(const std::string& path, std::string_view bytes);

// Lets fill write the temporary file (by its name) and renames it to path
// when fill returns true; otherwise, or where the rename fails, removes it.
// Ctrl-C and the other ending signals wait until then, so that none leaves
// the temporary file behind.
bool writeThrough(const std::string& path, const std::function<bool(const std::string&)>& fill);

}  // namespace FileOutput
