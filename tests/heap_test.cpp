// No heap allocation once the menu runs.
#include <gtest/gtest.h>

#include "test_support/process.hpp"

namespace {

TEST(Heap, NoAllocationAcrossAWholeDialogueOfEveryEntry) {
#ifdef _WIN32
  GTEST_SKIP() << "the probe wraps the C library's allocator at link time, which only a "
                  "Linux build can";
#endif
#ifdef TANSHUKU_SANITIZE
  GTEST_SKIP() << "the sanitizer's allocator replaces the one this test wraps";
#endif
  const std::string dialogue =
      "1\n\n10\n2\n7\nY\n\n"             // loading coil, base loading
      "1\n\n10\n2\n7\nN\n1\n\n"          // loading coil, centre loading
      "2\n0\n\n10\n20\n1\n10\n\n"        // coil: help screen, then turns
      "2\n10\n20\n1\n0\n27\n1\n0.8\n\n"  // coil: inductance with wire
      "3\n\n7\n30\n2\n\n"                // feed-point impedance with apologies
      "4\n1\n\n7.05\n2.1\n3.3\n\n"       // efficiency with a guide screen
      "5\n7.05\n2\n\n"                   // dipole
      "6\nx\ny\nz\n"                     // guide
      "9\n0\n";
  ProcessResult result = runProcess(probePath("allocation_probe"), dialogue);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_GT(result.output.size(), 10000u);
}

}  // namespace
