// The files the program writes, written as a user expects of a file name.
// A regular file, new or old, is written whole or not at all: under a
// temporary name in its own folder, renamed to its name once complete, so
// that no reader ever sees half a file and a failure leaves the old one as
// it was; an old file keeps its permissions, and its owner and group where
// the process may give them. A symbolic link is followed to the file it
// names, which is written that way (a link to no file makes that file).
// Anything else (a device, a named pipe, a terminal, the program's own
// standard output) is opened and written as it is: there is nothing to
// rename, and a reader of a pipe waits for the bytes. Opening a named pipe
// waits until a reader opens it, as any program's writing to it does.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace FileOutput {

// Where the caller's own fill failed without a system error to tell.
inline constexpr int kNotFilled = -1;

// How writing a file ended: written, or the system's error number (errno)
// of the step that failed, or kNotFilled.
struct Outcome {
  int error = 0;
  explicit operator bool() const { return error == 0; }
};

// The system's words for why a file was not written ("No space left on
// device"); empty for kNotFilled.
std::string reason(const Outcome& outcome);

// What a file name stands for.
enum class Kind {
  replaced,  // a regular file or none: written under a temporary name, renamed
  direct,    // a device, named pipe, terminal or socket: opened and written
  folder,    // no file to write
  loop,      // symbolic links that go round
};

struct Target {
  Kind kind = Kind::replaced;
  std::string path;  // the name written: a link's final target where replaced
  int stream = -1;   // the standard output or error that is the file, or -1
};

// What the name stands for, its links followed.
Target targetOf(const std::string& path);

// Why the program may not write the file, checked before it runs.
enum class Obstacle { none, folder, noFolder, readOnlyFolder, readOnlyFile, loop };
Obstacle obstacleTo(const std::string& path);

// Writes the bytes to the file.
Outcome writeWhole(const std::string& path, std::string_view bytes);

// Lets fill write a temporary regular file (by its name) and, when fill
// returns true, makes it the file: renamed to the file's name, or where the
// file is no regular one, its bytes copied into it. Ctrl-C and the other
// ending signals wait until the temporary file is gone, so that none leaves
// it behind.
Outcome writeThrough(const std::string& path, const std::function<bool(const std::string&)>& fill);

}  // namespace FileOutput
