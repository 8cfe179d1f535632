// From the code addresses of the active frames to a report's locations: the
// part of the stack walk that is the same on every platform.
#pragma once

#include <cstdint>

#include "console/platform/faults.hpp"

namespace Platform {

// The program's own code, [begin, end), and what to subtract from an address
// in it to get the location a report shows.
struct OwnCode {
  std::uintptr_t begin;
  std::uintptr_t end;
  std::uintptr_t locationBias;
};

// frames holds the code addresses of the active frames, innermost first, as
// a stack walk from inside the fault handler found them (frameCount of
// them). Starts at origin (or at origin alone when the walk missed it) and
// proceeds as codeLocations says. May overwrite frames.
int ownCodeLocations(CodeAddress origin, const OwnCode& ownCode, std::uintptr_t* frames,
                     int frameCount, std::uint32_t* locations, int capacity);

}  // namespace Platform
