// The groups of tests that a Windows build leaves out, each with the Linux
// mechanism it needs: listed here so that a Windows run shows them skipped
// and why, rather than silently absent.
#include <gtest/gtest.h>

namespace {

struct LinuxOnlyGroup {
  const char* name;
  const char* reason;
};

void PrintTo(const LinuxOnlyGroup& group, std::ostream* out) { *out << group.name; }

class LinuxOnly : public testing::TestWithParam<LinuxOnlyGroup> {};

TEST_P(LinuxOnly, IsSkippedOnWindows) { GTEST_SKIP() << GetParam().reason; }

INSTANTIATE_TEST_SUITE_P(
    Groups, LinuxOnly,
    testing::Values(
        LinuxOnlyGroup{"HostileSurroundings",
                       "needs pseudo-terminals, file size limits (rlimits), blocked signals "
                       "and non-blocking descriptors"},
        LinuxOnlyGroup{"Install",
                       "installs the Linux layout and builds the Debian package; the Windows "
                       "package has a test of its own"},
        LinuxOnlyGroup{"AntennaAccuracy", "runs the Linux program nec2c as a child process"},
        LinuxOnlyGroup{"Nec2Solver", "runs the Linux program nec2c as a child process"},
        LinuxOnlyGroup{"Utf8FrontEnd",
                       "tanshuku-utf8 is the Linux front end for UTF-8 terminals; a Windows "
                       "console reads and shows code page 932 itself"},
        LinuxOnlyGroup{"Utf8FrontEndTables",
                       "the tables of tanshuku-utf8, the Linux front end, checked against the "
                       "C library's converter"},
        LinuxOnlyGroup{"Utf8LineEditor",
                       "the line editor of tanshuku-utf8, the Linux front end; a Windows "
                       "console edits typed lines itself"},
        LinuxOnlyGroup{"NecDesign",
                       "tanshuku-nec is built beside the Linux front end, whose terminal and "
                       "line editor it uses"}),
    [](const testing::TestParamInfo<LinuxOnlyGroup>& param) {
      return std::string(param.param.name);
    });

}  // namespace
