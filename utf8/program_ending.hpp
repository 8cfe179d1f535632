#pragma once

namespace Child {

// How a run of the program ended: its exit code, or the signal that ended
// it.
struct Ending {
  int code = 0;
  int signal = 0;
};

}  // namespace Child
