// The installed program and the Debian packages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <vector>

#include "test_support/process.hpp"
#include "test_support/report.hpp"
#include "test_support/transcript.hpp"

namespace {

namespace fs = std::filesystem;

ProcessResult shell(const std::string& command) {
  ProcessOptions options;
  options.arguments = {"-c", command + " 2>&1"};
  options.timeoutSeconds = 120;
  return runProcess("/bin/sh", "", options);
}

const std::string kDipoleDialogue = "5\n7.05\n2\n\n0\n";

// The packages' files, named for the architecture of the programs built.
const std::string kProgramPackage = "tanshuku_1.0.0_" TANSHUKU_DEBIAN_ARCHITECTURE ".deb";
const std::string kDebugPackage = "tanshuku-dbgsym_1.0.0_" TANSHUKU_DEBIAN_ARCHITECTURE ".deb";

TEST(Install, InstalledProgramRunsADialogue) {
  fs::path prefix = fs::path(testing::TempDir()) / "tanshuku-install";
  fs::remove_all(prefix);
  ProcessResult install =
      shell("cmake --install '" TANSHUKU_BUILD_DIR "' --prefix '" + prefix.string() + "'");
  ASSERT_EQ(install.exitCode, 0) << install.output;

  for (const char* file :
       {"bin/tanshuku", "bin/tanshuku-utf8", "bin/tanshuku-nec", "share/man/man1/tanshuku.1.gz",
        "share/man/ja/man1/tanshuku.1.gz", "share/man/man1/tanshuku-utf8.1.gz",
        "share/man/ja/man1/tanshuku-utf8.1.gz", "share/man/man1/tanshuku-nec.1.gz",
        "share/man/ja/man1/tanshuku-nec.1.gz", "share/doc/tanshuku/README.md",
        "share/doc/tanshuku/docs/accuracy.md"}) {
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

  // The installed NEC2 check, stripped, runs as the one built.
  ProcessOptions help;
  help.arguments = {"--help"};
  ProcessResult necHelp = runProcess((prefix / "bin/tanshuku-nec").string(), "", help);
  EXPECT_EQ(necHelp.exitCode, 0);
  EXPECT_NE(necHelp.output.find("--frequency MHZ"), std::string::npos) << necHelp.output;
  EXPECT_EQ(necHelp.output, runProcess(TANSHUKU_BUILD_DIR "/tanshuku-nec", "", help).output);
}

// The relative link targets of a Markdown file: "](target)" without a scheme
// or an anchor-only target; the part before any "#".
std::vector<std::string> relativeLinks(const fs::path& markdown) {
  std::vector<std::string> links;
  const std::string content = readFile(markdown.string());
  for (size_t at = content.find("]("); at != std::string::npos; at = content.find("](", at + 2)) {
    const size_t close = content.find(')', at);
    std::string target = content.substr(at + 2, close - at - 2);
    target = target.substr(0, target.find('#'));
    if (!target.empty() && target.find("://") == std::string::npos) links.push_back(target);
  }
  return links;
}

class DebianPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (shell("command -v dpkg-deb && command -v dpkg-shlibdeps").exitCode != 0) return;
    fs::remove_all(out_);
    packed_ = shell("cd '" TANSHUKU_BUILD_DIR "' && cpack -G DEB -B '" + out_.string() + "'");
    fs::remove_all(root_);
    unpacked_ = shell("for deb in '" + out_.string() + "'/*.deb; do dpkg -x \"$deb\" '" +
                      root_.string() + "' || exit 1; done");
  }
  void SetUp() override {
    if (shell("command -v dpkg-deb && command -v dpkg-shlibdeps").exitCode != 0) {
      GTEST_SKIP() << "dpkg-dev is not installed";
    }
    ASSERT_EQ(packed_.exitCode, 0) << packed_.output;
    ASSERT_EQ(unpacked_.exitCode, 0) << unpacked_.output;
  }
  static std::string deb(const std::string& name) { return (out_ / name).string(); }

  static void TearDownTestSuite() {
    fs::remove_all(out_);
    fs::remove_all(root_);
  }

  // ctest runs each test in a process of its own, some at the same time.
  static inline const std::string kProcess = std::to_string(getpid());
  static inline const fs::path out_ = fs::path(testing::TempDir()) / ("tanshuku-deb-" + kProcess);
  static inline const fs::path root_ = fs::path(testing::TempDir()) / ("tanshuku-root-" + kProcess);
  static inline ProcessResult packed_;
  static inline ProcessResult unpacked_;
};

TEST_F(DebianPackage, CarriesItsMetadataOnce) {
  ProcessResult fields = shell("dpkg-deb -f '" + deb(kProgramPackage) + "'");
  ASSERT_EQ(fields.exitCode, 0) << fields.output;
  EXPECT_NE(fields.output.find("Section: hamradio"), std::string::npos) << fields.output;
  // The static libraries in the program, by their source packages.
  EXPECT_NE(fields.output.find("Built-Using: glibc (= "), std::string::npos) << fields.output;
  // It needs nothing beyond the C and C++ libraries (no luit, no X11
  // fonts); tanshuku-nec runs nec2c, and gnuplot for its plot.
  EXPECT_NE(fields.output.find("\nRecommends: nec2c\n"), std::string::npos) << fields.output;
  EXPECT_NE(fields.output.find("\nSuggests: gnuplot-nox | gnuplot\n"), std::string::npos)
      << fields.output;
  EXPECT_NE(fields.output.find("Description: design aid for shortened"), std::string::npos);
  EXPECT_NE(fields.output.find("\n tanshuku-nec "), std::string::npos) << fields.output;
  EXPECT_EQ(fields.output.find("design aid", fields.output.find("design aid") + 1),
            std::string::npos)
      << "the summary twice:\n"
      << fields.output;
  // Paragraphs, not verbatim text: lines of one blank, separated by " .".
  EXPECT_NE(fields.output.find("\n .\n"), std::string::npos) << fields.output;
  EXPECT_EQ(fields.output.find("\n  "), std::string::npos) << fields.output;
  ProcessResult debug = shell("dpkg-deb -f '" + deb(kDebugPackage) + "'");
  EXPECT_NE(debug.output.find("Depends: tanshuku (= 1.0.0)"), std::string::npos) << debug.output;

  // Built for the programs' architecture, whatever the build machine's, and
  // depending on that architecture's C, GCC and C++ libraries (not on a
  // cross compiler's): the C library at least in the newest version whose
  // symbols the front end and the NEC2 check bind. A sanitizer build needs
  // the sanitizers' libraries beside them.
  const std::string lines = "\n" + fields.output;
  EXPECT_NE(lines.find("\nArchitecture: " TANSHUKU_DEBIAN_ARCHITECTURE "\n"), std::string::npos)
      << fields.output;
  std::smatch depends;
  ASSERT_TRUE(std::regex_search(
      lines, depends,
      std::regex(
          "\nDepends: (libasan[0-9]+, )?libc6 \\(>= ([0-9.]+)\\), libgcc-s1 \\(>= [0-9.]+\\), "
          "libstdc\\+\\+6 \\(>= [0-9.]+\\)(, libubsan[0-9]+ \\(>= [0-9.]+\\))?\n")))
      << fields.output;
  for (const char* program : {"usr/bin/tanshuku-utf8", "usr/bin/tanshuku-nec"}) {
    const std::string newest =
        shell("readelf --dyn-syms -W '" + (root_ / program).string() +
              "' | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' | sort -V | tail -1 | tr -d '\\n'")
            .output;
    ASSERT_FALSE(newest.empty()) << program;
    EXPECT_EQ(shell("dpkg --compare-versions " + depends[2].str() + " ge " + newest).exitCode, 0)
        << program << ": libc6 (>= " << depends[2] << ") but GLIBC_" << newest << " bound";
  }
}

TEST_F(DebianPackage, InstallsTheUsersFilesAsDebianKeepsThem) {
  for (const char* file :
       {"usr/bin/tanshuku", "usr/bin/tanshuku-utf8", "usr/bin/tanshuku-nec",
        "usr/share/man/man1/tanshuku.1.gz", "usr/share/man/ja/man1/tanshuku.1.gz",
        "usr/share/man/man1/tanshuku-utf8.1.gz", "usr/share/man/ja/man1/tanshuku-utf8.1.gz",
        "usr/share/man/man1/tanshuku-nec.1.gz", "usr/share/man/ja/man1/tanshuku-nec.1.gz",
        "usr/share/doc/tanshuku/changelog.gz", "usr/share/doc/tanshuku/README.md",
        "usr/share/doc/tanshuku/README.ja.md", "usr/share/doc/tanshuku/docs/accuracy.md",
        "usr/share/doc/tanshuku/docs/accuracy.ja.md",
        "usr/share/doc/tanshuku/THIRD-PARTY-NOTICES"}) {
    EXPECT_TRUE(fs::exists(root_ / file)) << file;
  }
  ProcessResult copyright =
      shell("cat '" + (root_ / "usr/share/doc/tanshuku/copyright").string() + "'");
  EXPECT_TRUE(copyright.output.starts_with(
      "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"))
      << copyright.output;
  EXPECT_NE(copyright.output.find("License: Expat\n Permission is hereby granted"),
            std::string::npos)
      << copyright.output;
  EXPECT_FALSE(fs::exists(root_ / "usr/share/doc/tanshuku/docs/developing.md"));

  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    if (entry.is_directory() && !entry.is_symlink()) {
      EXPECT_FALSE(fs::is_empty(entry.path())) << "empty folder " << entry.path();
    }
    if (entry.path().extension() != ".md") continue;
    for (const std::string& link : relativeLinks(entry.path())) {
      EXPECT_TRUE(fs::exists(entry.path().parent_path() / link))
          << entry.path() << " links to missing " << link;
    }
  }
}

// The debug package's file of an installed program, by the program's build
// ID under /usr/lib/debug/.build-id (here under the scratch root); empty
// where the program carries no build ID.
fs::path debugFileOf(const fs::path& root, const std::string& program) {
  const std::string buildId =
      shell("readelf -n '" + program + "' | sed -n 's/.*Build ID: *//p' | tr -d '\\n'").output;
  if (buildId.size() <= 2) return {};
  return root / "usr/lib/debug/.build-id" / buildId.substr(0, 2) / (buildId.substr(2) + ".debug");
}

// Every installed program is stripped, its debug information in the debug
// package; and addr2line resolves the program's run-time error report with
// it, as the manuals tell (finding the file by the build ID, which the test
// does here by name under the scratch root).
TEST_F(DebianPackage, DebugPackageResolvesTheStrippedProgramsReport) {
  for (const char* name : {"tanshuku", "tanshuku-utf8", "tanshuku-nec"}) {
    const std::string installed = (root_ / "usr/bin" / name).string();
    EXPECT_EQ(shell("readelf -S '" + installed + "' | grep -c debug_info").output, "0\n") << name;
    const fs::path debugFile = debugFileOf(root_, installed);
    // (readelf finds no program interpreter in a debug file, and says so.)
    EXPECT_NE(
        shell("readelf -S '" + debugFile.string() + "' 2>/dev/null | grep -c debug_info").output,
        "0\n")
        << name << ": " << debugFile;
  }
  const std::string program = (root_ / "usr/bin/tanshuku").string();
  const fs::path debugFile = debugFileOf(root_, program);
  ASSERT_TRUE(fs::exists(debugFile)) << debugFile;
  Report report = reportIn(runProcess(program, "5\n0\n2\n").output);
  ASSERT_EQ(report.number, 200);
  ProcessResult resolved = shell(TANSHUKU_ADDR2LINE " -f -C -i -e '" + debugFile.string() + "' 0x" +
                                 report.locations.at(0));
  EXPECT_NE(resolved.output.find("DipoleFormulas::shortening"), std::string::npos)
      << resolved.output;
  EXPECT_NE(resolved.output.find("dipole_formulas.hpp:"), std::string::npos) << resolved.output;
}

// No error or warning, nor a hardening note about the front end, which is
// built as Debian builds programs (the program keeps its own layout).
TEST_F(DebianPackage, LintianFindsNoErrorOrWarning) {
  if (shell("command -v lintian").exitCode != 0) GTEST_SKIP() << "lintian is not installed";
  ProcessResult lintian = shell("lintian --display-info --fail-on error,warning '" +
                                deb(kProgramPackage) + "' '" + deb(kDebugPackage) + "'");
  EXPECT_EQ(lintian.exitCode, 0) << lintian.output;
  EXPECT_EQ(lintian.output.find("\nW: "), std::string::npos) << lintian.output;
  EXPECT_EQ(lintian.output.find("\nE: "), std::string::npos) << lintian.output;
  for (const char* tag :
       {"hardening-no-relro", "hardening-no-bindnow", "hardening-no-fortify-functions"}) {
    EXPECT_EQ(lintian.output.find(std::string(tag) + " [usr/bin/tanshuku-utf8]"), std::string::npos)
        << lintian.output;
  }
}

}  // namespace
