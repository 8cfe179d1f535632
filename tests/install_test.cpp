// The installed program and the Debian package.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/process.hpp"
#include "tests/support/transcript.hpp"

namespace {

namespace fs = std::filesystem;

ProcessResult shell(const std::string& command) {
  ProcessOptions options;
  options.arguments = {"-c", command + " 2>&1"};
  options.timeoutSeconds = 120;
  return runProcess("/bin/sh", "", options);
}

const std::string kDipoleDialogue = "5\n7.05\n2\n\n0\n";

TEST(Install, InstalledProgramRunsADialogue) {
  fs::path prefix = fs::path(testing::TempDir()) / "tanshuku-install";
  fs::remove_all(prefix);
  ProcessResult install =
      shell("cmake --install '" TANSHUKU_BUILD_DIR "' --prefix '" + prefix.string() + "'");
  ASSERT_EQ(install.exitCode, 0) << install.output;

  for (const char* file : {"bin/tanshuku", "bin/tanshuku-utf8", "share/man/man1/tanshuku.1",
                           "share/man/ja/man1/tanshuku.1", "share/man/man1/tanshuku-utf8.1",
                           "share/man/ja/man1/tanshuku-utf8.1", "share/doc/tanshuku/README.md",
                           "share/doc/tanshuku/accuracy.md"}) {
    EXPECT_TRUE(fs::exists(prefix / file)) << file;
  }

  ProcessResult installed = runProcess((prefix / "bin/tanshuku").string(), kDipoleDialogue);
  EXPECT_EQ(installed.exitCode, 0);
  EXPECT_NE(installed.output.find(toShiftJis("波長短縮率は  2.44％  です\r\n")), std::string::npos);
  EXPECT_TRUE(installed.output == runProcess(programPath(), kDipoleDialogue).output);

  // The installed front end starts the program installed beside it.
  ProcessResult converted = runProcess((prefix / "bin/tanshuku-utf8").string(), kDipoleDialogue);
  EXPECT_EQ(converted.exitCode, 0);
  EXPECT_TRUE(converted.output == toUtf8(installed.output));
}

TEST(Install, DebianPackageCarriesItsMetadata) {
  if (shell("command -v dpkg-deb && command -v dpkg-shlibdeps").exitCode != 0) {
    GTEST_SKIP() << "dpkg-dev is not installed";
  }
  fs::path out = fs::path(testing::TempDir()) / "tanshuku-deb";
  fs::remove_all(out);
  ProcessResult pack =
      shell("cd '" TANSHUKU_BUILD_DIR "' && cpack -G DEB -B '" + out.string() + "'");
  ASSERT_EQ(pack.exitCode, 0) << pack.output;
  ProcessResult fields = shell("dpkg-deb -f '" + out.string() + "'/tanshuku_*.deb");
  ASSERT_EQ(fields.exitCode, 0) << fields.output;
  EXPECT_NE(fields.output.find("Section: hamradio"), std::string::npos) << fields.output;
  // It needs nothing beyond the C and C++ libraries: no luit, no X11 fonts.
  EXPECT_EQ(fields.output.find("Recommends:"), std::string::npos) << fields.output;
  EXPECT_NE(fields.output.find("Description: design aid for shortened"), std::string::npos);
  ProcessResult files = shell("dpkg-deb -c '" + out.string() + "'/tanshuku_*.deb");
  EXPECT_NE(files.output.find("./usr/bin/tanshuku"), std::string::npos) << files.output;
  EXPECT_NE(files.output.find("./usr/share/man/ja/man1/tanshuku.1"), std::string::npos);
  EXPECT_NE(files.output.find("./usr/bin/tanshuku-utf8"), std::string::npos) << files.output;
  EXPECT_NE(files.output.find("./usr/share/man/ja/man1/tanshuku-utf8.1"), std::string::npos);
}

}  // namespace
