#pragma once

// How a run of the program ended: its exit code, or the signal that ended
// it.
struct ProgramEnding {
  int code = 0;
  int signal = 0;
};
