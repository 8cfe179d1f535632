// Shows what reaches the program's standard input: reads it as the program
// does, in blocks of at most 256 bytes, and writes one line per block, the
// bytes in hex ("82 6D 0A"), then the line "end" for the read of no bytes
// that ends the input, and ends normally.
#include <cstdio>

#include "console/platform/io.hpp"

int main() {
  unsigned char block[256];
  for (;;) {
    int count = Platform::readInput(block, sizeof block);
    if (count <= 0) break;
    char line[sizeof block * 3 + 2];
    int length = 0;
    for (int i = 0; i < count; ++i) {
      length += std::snprintf(line + length, 4, i == 0 ? "%02X" : " %02X", block[i]);
    }
    length += std::snprintf(line + length, 3, "\r\n");
    Platform::writeOutput(reinterpret_cast<unsigned char*>(line), length);
  }
  const unsigned char end[] = "end\r\n";
  Platform::writeOutput(end, sizeof end - 1);
  Platform::exitProcess(0);
}
