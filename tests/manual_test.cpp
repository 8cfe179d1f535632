// The manual pages tanshuku(1) and tanshuku-utf8(1), English and Japanese:
// they render through groff without a single warning, fit an 80-column
// terminal, and say what the programs really do.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "console/run_time_error.hpp"
#include "tests/support/process.hpp"
#include "tests/support/transcript.hpp"

namespace {

const std::string kTop = std::string(TANSHUKU_TRANSCRIPT_DIR) + "/../../";
const std::string kManualDir = kTop + "man";

struct Page {
  std::string name;
  std::string path;
  std::string groffOptions;  // how man-db would format it
  std::string exitStatusHeading;
  size_t leastLines;  // a page cut short renders fewer
  std::vector<int> exitStatuses;
  bool japanese() const { return groffOptions.find("-Kutf8") != std::string::npos; }
};

const std::vector<int> kProgramStatuses = {0,
                                           RunTime::writeFailed,
                                           RunTime::invalidNumber,
                                           RunTime::divisionByZero,
                                           RunTime::subscriptOutOfRange,
                                           RunTime::stackOverflow,
                                           RunTime::floatingOverflow,
                                           RunTime::floatingUnderflow,
                                           RunTime::invalidOperation,
                                           RunTime::integerOverflow,
                                           RunTime::accessViolation,
                                           RunTime::otherErrorFault,
                                           RunTime::privilegedInstruction,
                                           RunTime::otherFault};
// The front end's own statuses, and one that it passes through.
const std::vector<int> kFrontEndStatuses = {0, 2, 126, 127, 128, 130};

std::vector<Page> pages() {
  const std::string program = kManualDir + "/tanshuku.1";
  const std::string programJa = kManualDir + "/ja/tanshuku.1";
  const std::string frontEnd = kManualDir + "/tanshuku-utf8.1";
  const std::string frontEndJa = kManualDir + "/ja/tanshuku-utf8.1";
  return {
      {"English", program, "", "EXIT STATUS", 300, kProgramStatuses},
      {"Japanese", programJa, "-Kutf8", "終了ステータス", 300, kProgramStatuses},
      // In a Japanese locale man-db adds ja.tmac, which breaks lines inside
      // Japanese text.
      {"JapaneseWithJaMacros", programJa, "-Kutf8 -mja", "終了ステータス", 300, kProgramStatuses},
      {"English tanshuku-utf8", frontEnd, "", "EXIT STATUS", 80, kFrontEndStatuses},
      {"Japanese tanshuku-utf8", frontEndJa, "-Kutf8", "終了ステータス", 80, kFrontEndStatuses},
      {"Japanese tanshuku-utf8 with ja macros", frontEndJa, "-Kutf8 -mja", "終了ステータス", 80,
       kFrontEndStatuses},
  };
}

ProcessResult shell(const std::string& script, const std::string& argument) {
  ProcessOptions options;
  options.arguments = {"-c", script, "sh", argument};
  return runProcess("/bin/sh", "", options);
}

bool groffIsInstalled() { return shell("command -v groff >/dev/null", "").exitCode == 0; }

// Only groff's warnings and errors: the formatted text is thrown away.
std::string groffDiagnostics(const Page& page) {
  ProcessResult result =
      shell("groff -ww -man -Tutf8 " + page.groffOptions + " \"$1\" 2>&1 >/dev/null", page.path);
  EXPECT_EQ(result.exitCode, 0) << page.name;
  return result.output;
}

// The page as a terminal shows it, as plain UTF-8 text without overstriking.
std::string renderedText(const Page& page) {
  ProcessResult result =
      shell("groff -man -Tutf8 -P-cbou " + page.groffOptions + " \"$1\" 2>/dev/null", page.path);
  EXPECT_EQ(result.exitCode, 0) << page.name;
  return result.output;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

// The lines of one section: from its heading to the next heading, which, like
// every heading, starts in the first column.
std::string section(const std::string& rendered, const std::string& heading) {
  std::string result;
  bool inside = false;
  for (const std::string& line : lines(rendered)) {
    if (!line.empty() && line[0] != ' ') inside = line == heading;
    if (inside) result += line + "\n";
  }
  return result;
}

bool containsNumber(const std::string& text, int number) {
  const std::string digits = std::to_string(number);
  for (size_t at = text.find(digits); at != std::string::npos; at = text.find(digits, at + 1)) {
    const bool digitBefore = at > 0 && std::isdigit(static_cast<unsigned char>(text[at - 1]));
    const size_t end = at + digits.size();
    const bool digitAfter =
        end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]));
    if (!digitBefore && !digitAfter) return true;
  }
  return false;
}

class Manual : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "the manual pages belong to the Linux package, rendered by groff";
#endif
    if (!groffIsInstalled()) GTEST_SKIP() << "groff is not installed";
  }
};

TEST_F(Manual, RendersWithoutAnyWarning) {
  for (const Page& page : pages()) {
    EXPECT_EQ(groffDiagnostics(page), "") << page.name << " page: " << page.path;
  }
}

TEST_F(Manual, EveryLineFitsAnEightyColumnTerminal) {
  for (const Page& page : pages()) {
    const std::vector<std::string> rendered = lines(renderedText(page));
    EXPECT_GT(rendered.size(), page.leastLines) << page.name;
    for (const std::string& line : rendered) {
      EXPECT_LE(displayWidth(line), 80) << page.name << ": " << line;
    }
  }
}

TEST_F(Manual, ExitStatusListsEveryStatus) {
  for (const Page& page : pages()) {
    const std::string exitStatus = section(renderedText(page), page.exitStatusHeading);
    ASSERT_FALSE(exitStatus.empty()) << page.name << " has no section " << page.exitStatusHeading;
    for (int number : page.exitStatuses) {
      EXPECT_TRUE(containsNumber(exitStatus, number))
          << page.name << " misses exit status " << number;
    }
  }
}

// Japanese is set solid: no blank after 、 or 。 (where two source lines
// meet), and no line ends in an opening bracket or starts with a closing
// one or with 、 or 。.
TEST_F(Manual, JapaneseIsSetWithoutBlanksOrBreaksAtPunctuation) {
  const std::string opening[] = {"「", "（"};
  const std::string closing[] = {"」", "）", "、", "。"};
  for (const Page& page : pages()) {
    if (!page.japanese()) continue;
    for (const std::string& line : lines(renderedText(page))) {
      for (const char* stop : {"、 ", "。 "}) {
        const size_t at = line.find(stop);
        const bool blankInside = at != std::string::npos && at + std::strlen(stop) < line.size() &&
                                 line[at + std::strlen(stop)] != ' ';
        EXPECT_FALSE(blankInside) << page.name << ": " << line;
      }
      for (const std::string& bracket : opening) {
        EXPECT_FALSE(line.ends_with(bracket)) << page.name << ": " << line;
      }
      const size_t text = line.find_first_not_of(' ');
      for (const std::string& mark : closing) {
        EXPECT_FALSE(text != std::string::npos && line.compare(text, mark.size(), mark) == 0)
            << page.name << ": " << line;
      }
    }
  }
}

// ja.tmac, which man-db adds in a Japanese locale, breaks lines between any
// two Japanese characters, inside words and brackets too; the Japanese pages
// break lines only where they are written, so it changes nothing.
TEST_F(Manual, JapaneseLinesBreakOnlyWhereWritten) {
  for (const Page& page : pages()) {
    if (!page.japanese() || page.groffOptions.find("-mja") != std::string::npos) continue;
    Page withJaMacros = page;
    withJaMacros.groffOptions += " -mja";
    EXPECT_TRUE(renderedText(page) == renderedText(withJaMacros)) << page.name;
  }
}

// The Japanese page shows the result lines of its dipole example as the
// screen shows them; the program must print exactly those lines.
TEST(ManualExample, DipoleResultLinesAreWhatTheProgramPrints) {
  std::ifstream source(kManualDir + "/ja/tanshuku.1");
  ASSERT_TRUE(source) << "no Japanese manual page";
  std::vector<std::string> resultLines;
  for (std::string line; std::getline(source, line);) {
    if (line.rfind("波長短縮率は", 0) == 0 || line.rfind("入力された周波数に", 0) == 0) {
      resultLines.push_back(line);
    }
  }
  ASSERT_EQ(resultLines.size(), 2u);

  ProcessResult result = runProcess(programPath(), "5\n7.05\n2\n\n0\n");
  EXPECT_EQ(result.exitCode, 0);
  for (const std::string& line : resultLines) {
    EXPECT_NE(result.output.find(toShiftJis(line) + "\r\n"), std::string::npos) << line;
  }
}

// The worked design of both READMEs: each result line shown there is one
// that the program prints for the answers given there.
TEST(ReadmeExample, ResultLinesAreWhatTheProgramPrints) {
  struct Step {
    const char* input;
    std::vector<std::string> resultLines;
  };
  const Step design[] = {
      {"5\n7.05\n2\n\n0\n",
       {"波長短縮率は  2.44％  です",
        "入力された周波数に共振するエレメントの長さは 10.379ｍ　です"}},
      {"1\n\n2\n5\n7.05\nN\n2.5\n\n0\n",
       {"アンテナ導体の、基本特性インピーダンスは  510.46オームです",
        "ローディングコイルのインダクタンスは  23.6540 μヘンリーです"}},
      {"2\n25\n50\n1\n21.3\n\n0\n", {"長岡係数は  0.692です", "この形では   24.97巻　必要です"}},
      {"2\n25\n50\n1\n0\n25\n2\n1\n\n0\n", {"そのコイルは   21.2190uH です"}},
      {"4\n0\n7.05\n2.5\n2.5\n\n0\n", {"能率は、真数で0.448です", "能率（利得）は -6.98ｄＢです"}}};
  for (const char* readme : {"README.md", "README.ja.md"}) {
    const std::string text = readFile(kTop + readme);
    for (const Step& step : design) {
      const std::string output = runProcess(programPath(), step.input).output;
      for (const std::string& line : step.resultLines) {
        EXPECT_NE(text.find("\n" + line + "\n"), std::string::npos) << readme << ": " << line;
        EXPECT_NE(output.find(toShiftJis(line)), std::string::npos) << line;
      }
    }
  }
}

// The READMEs and the developers' guide name the packages that
// scripts/install-dependencies installs, without and with --all.
TEST(ReadmeSetUp, ListsThePackagesTheScriptInstalls) {
#ifdef _WIN32
  GTEST_SKIP() << "scripts/install-dependencies is a shell script for Debian";
#endif
  auto packages = [&](const std::string& options) {
    std::string list = shell(kTop + "scripts/install-dependencies --list " + options, "").output;
    return list.substr(0, list.find('\n'));
  };
  const std::string program = packages("");
  const std::string everything = packages("--all");
  ASSERT_TRUE(everything.starts_with(program + " ")) << program << " / " << everything;
  const std::string more = everything.substr(program.size() + 1);
  for (const char* document : {"README.md", "README.ja.md", "docs/developing.md"}) {
    const std::string text = readFile(kTop + document);
    for (const std::string& list : {program, more}) {
      EXPECT_NE(text.find("`" + list + "`"), std::string::npos) << document << " lacks " << list;
    }
  }
}

}  // namespace
