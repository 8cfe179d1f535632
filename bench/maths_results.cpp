// Writes the results of one maths function over a million pseudo-random
// arguments in a range, one line each: the extended result's ten bytes and
// the double nearest to it, in hex. bench/maths-seam builds it against
// glibc, against the Windows build's maths functions and against the
// MinGW-w64 C runtime's, and with TANSHUKU_WIDE_MATHS defined against the
// functions evaluated in the 128-bit format and rounded once
// (arithmetic/wide_maths.hpp, the software type's square root), and
// compares. Arguments: the function (cosl, sinl, expl, logl, sqrtl), the
// lowest and the highest argument; with a fourth, "time", it writes instead
// the microseconds a call takes.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#ifdef TANSHUKU_WIDE_MATHS
#include "arithmetic/wide_maths.hpp"

namespace {

using Arithmetic::SoftExtended;

// The software type's function on the exact argument, its result as the
// x87's number.
long double wide(SoftExtended (*function)(SoftExtended), long double x) {
  return static_cast<long double>(function(SoftExtended{x}));
}

long double result(std::string_view function, long double x) {
  return function == "cosl"   ? wide(Arithmetic::Wide::cos, x)
         : function == "sinl" ? wide(Arithmetic::Wide::sin, x)
         : function == "expl" ? wide(Arithmetic::Wide::exp, x)
         : function == "logl" ? wide(Arithmetic::Wide::log, x)
                              : wide(Arithmetic::sqrt, x);
}

}  // namespace
#else
namespace {

long double result(std::string_view function, long double x) {
  return function == "cosl"   ? cosl(x)
         : function == "sinl" ? sinl(x)
         : function == "expl" ? expl(x)
         : function == "logl" ? logl(x)
                              : sqrtl(x);
}

}  // namespace
#endif

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) return 2;
  bool timing = argc == 5;
  auto start = std::chrono::steady_clock::now();
  volatile long double sink = 0;
  std::string_view function = argv[1];
  long double low = std::strtold(argv[2], nullptr);
  long double high = std::strtold(argv[3], nullptr);
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 1000000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    long double x = low + (high - low) * static_cast<long double>(state >> 11) * 0x1p-53L;
    long double y = result(function, x);
    if (timing) {
      sink = y;
      continue;
    }
    unsigned char bytes[10];
    std::memcpy(bytes, &y, sizeof bytes);
    double rounded = static_cast<double>(y);
    std::uint64_t bits;
    std::memcpy(&bits, &rounded, sizeof bits);
    for (unsigned char byte : bytes) std::printf("%02x", byte);
    std::printf(" %016llx\n", static_cast<unsigned long long>(bits));
  }
  if (timing) {
    std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    std::printf("%.2f\n", spent.count() / 1000000);
  }
}
