#include "console/platform/own_code_frames.hpp"

namespace Platform {

int ownCodeLocations(CodeAddress origin, const OwnCode& ownCode, std::uintptr_t* frames,
                     int frameCount, std::uint32_t* locations, int capacity) {
  auto originAddress = reinterpret_cast<std::uintptr_t>(origin.address);
  int first = 0;
  while (first < frameCount && frames[first] != originAddress) ++first;
  if (first == frameCount) {  // the stack could not be walked: the origin alone
    frames[0] = originAddress;
    frameCount = 1;
    first = 0;
  }
  int count = 0;
  for (int i = first; i < frameCount && count < capacity; ++i) {
    std::uintptr_t address = frames[i];
    if (i > first || origin.isReturnAddress) --address;  // the call before it
    if (address >= ownCode.begin && address < ownCode.end) {
      locations[count++] = static_cast<std::uint32_t>(address - ownCode.locationBias);
    } else if (count > 0) {
      break;  // main's caller: the program's own code ends here
    }
  }
  return count;
}

}  // namespace Platform
