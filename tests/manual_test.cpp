// The manual pages tanshuku(1), tanshuku-utf8(1) and tanshuku-nec(1),
// English and Japanese: they render through groff without a single warning,
// fit an 80-column terminal, and say what the programs really do; and what the user
// documents (the manual pages, the READMEs, the Windows package's README.txt
// and the accuracy pages) say alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/run_time_error.hpp"
#include "contract/program_contract.hpp"
#include "test_support/process.hpp"
#include "test_support/transcript.hpp"
#ifndef _WIN32
#include "utf8/code_page_932.hpp"
#include "utf8/line_editor.hpp"
#include "utf8/utf8_character.hpp"
#endif

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
                                           RunTime::otherFaultOfErrorSeverity,
                                           RunTime::privilegedInstruction,
                                           RunTime::anyOtherFault};
// The front end's own statuses, and one that it passes through.
const std::vector<int> kFrontEndStatuses = {0, 2, 126, 127, 128, 130};
// The NEC2 check's: results, no output or memory, bad input, nec2c or
// gnuplot missing or failing.
const std::vector<int> kNecStatuses = {0, 1, 2, 3};

std::vector<Page> pages() {
  const std::string program = kManualDir + "/tanshuku.1";
  const std::string programJa = kManualDir + "/ja/tanshuku.1";
  const std::string frontEnd = kManualDir + "/tanshuku-utf8.1";
  const std::string frontEndJa = kManualDir + "/ja/tanshuku-utf8.1";
  const std::string nec = kManualDir + "/tanshuku-nec.1";
  const std::string necJa = kManualDir + "/ja/tanshuku-nec.1";
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
      {"English tanshuku-nec", nec, "", "EXIT STATUS", 250, kNecStatuses},
      {"Japanese tanshuku-nec", necJa, "-Kutf8", "終了ステータス", 250, kNecStatuses},
      {"Japanese tanshuku-nec with ja macros", necJa, "-Kutf8 -mja", "終了ステータス", 250,
       kNecStatuses},
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

#ifndef _WIN32
// A user document as its reader sees it: a manual page as a terminal shows
// it, any other file as written, without carriage returns.
std::string documentText(const std::string& path) {
  if (path.ends_with(".1")) {
    const bool japanese = path.find("/ja/") != std::string::npos;
    return renderedText({path, kTop + path, japanese ? "-Kutf8" : "", "", 0, {}});
  }
  std::string text = readFile(kTop + path);
  std::erase(text, '\r');
  return text;
}

// Paragraphs: runs of lines between blank ones.
std::vector<std::string> paragraphs(const std::string& text) {
  std::vector<std::string> result(1);
  for (const std::string& line : lines(text)) {
    if (line.find_first_not_of(" \t") == std::string::npos) {
      if (!result.back().empty()) result.emplace_back();
    } else {
      result.back() += line + "\n";
    }
  }
  return result;
}

std::string utf8Of(char32_t character) {
  std::string bytes;
  Utf8::encode(character, bytes);
  return bytes;
}

// What tanshuku-utf8 hands on half-width when typed on a terminal: every
// character beyond ASCII that its line editor passes to the program as one
// ASCII character, in runs of consecutive code points.
std::vector<std::u32string> halfWidthFolds() {
  std::vector<std::u32string> runs;
  for (char32_t code = 0x80; code <= 0xFFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    LineEditing::Editor editor(80, true);
    editor.keys(utf8Of(code) + "\r");
    const std::string handed = editor.handed().empty() ? "" : editor.handed().front().codePage932;
    if (handed.size() != 1 || static_cast<unsigned char>(handed[0]) >= 0x80) continue;
    // Not a character without a code, handed on as a substitute, nor one
    // whose own code is that byte.
    const std::optional<CodePage932::Code> own = CodePage932::fromUnicode(code);
    if (!own || *own == static_cast<unsigned char>(handed[0])) continue;
    if (runs.empty() || runs.back().back() + 1 != code) runs.emplace_back();
    runs.back() += code;
  }
  return runs;
}

// Whether the text names a character: itself, or, for the full-width space,
// which cannot be seen, its name.
bool names(const std::string& text, char32_t character) {
  if (character == U'　') {
    return text.find("full-width space") != std::string::npos ||
           text.find("全角の空白") != std::string::npos;
  }
  return text.find(utf8Of(character)) != std::string::npos;
}

// Whether a piece of text holds Japanese: kana, kanji, or the full-width
// forms and punctuation of Japanese text.
bool holdsJapanese(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const Utf8::Decoded decoded = Utf8::decode(std::string_view(text).substr(at));
    const char32_t c = decoded.character;
    if (decoded.kind == Utf8::Decoded::Kind::character &&
        ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xFF00 && c <= 0xFFEF))) {
      return true;
    }
    at += decoded.length;
  }
  return false;
}
#endif

#ifndef _WIN32
// Every line the program writes: those of the golden transcripts' screens,
// which go through every menu and its faults, and those it writes below a
// run-time error's report in a window of its own.
std::vector<std::string> screenLines() {
  std::vector<std::string> result;
  for (const std::string& path : transcriptFiles()) {
    const std::string screen = toUtf8(readTranscript(path).screen);
    for (size_t start = 0, end; start < screen.size(); start = end + 2) {
      end = std::min(screen.find("\r\n", start), screen.size());
      result.push_back(screen.substr(start, end - start));
    }
  }
  for (const ProgramContract::Explanation& explanation : ProgramContract::kAnswerErrors) {
    for (std::string_view line :
         {explanation.what, explanation.advice, explanation.frontEndAdvice()}) {
      result.emplace_back(line);
    }
  }
  result.emplace_back(RunTime::kPressAKeyToClose);
  return result;
}

// The quotations 「…」 of a text. One that runs on over a line end is
// joined as Japanese is, without a blank.
std::vector<std::string> quotations(const std::string& text) {
  const std::string open = "「";
  const std::string close = "」";
  std::vector<std::string> result;
  for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
    const size_t start = at + open.size();
    const size_t end = text.find(close, start);
    if (end == std::string::npos) break;
    result.push_back(std::regex_replace(text.substr(start, end - start), std::regex("\n *"), ""));
  }
  return result;
}

// The titles of a document's sections: Markdown's headings, and the lines
// of a manual page or of README.txt that start further left than its text.
std::vector<std::string> sectionTitles(const std::string& path, const std::string& text) {
  std::vector<std::string> result;
  for (const std::string& line : lines(text)) {
    const size_t start =
        path.ends_with(".md") ? line.find_first_not_of("# ") : line.find_first_not_of(' ');
    const bool title = path.ends_with(".md") ? line.starts_with("#") : start < 4;
    if (title && start != std::string::npos) result.push_back(line.substr(start));
  }
  return result;
}
#endif

// The Japanese documents and the page's texts, in which the project's terms
// are kept.
const char* const kJapaneseDocuments[] = {"README.ja.md",           "packaging/windows/README.txt",
                                          "docs/accuracy.ja.md",    "man/ja/tanshuku.1",
                                          "man/ja/tanshuku-utf8.1", "man/ja/tanshuku-nec.1",
                                          "web/page/index.html",    "web/page/page.js"};

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

// The options of tanshuku-nec's pages are those its --help lists in the
// same language, with --help and --version, none left out and none added.
TEST_F(Manual, NecOptionsAreThoseOfItsHelp) {
  auto optionsIn = [](const std::string& text) {
    std::vector<std::string> options;
    const std::regex option("--[a-z][a-z0-9-]*");
    for (auto at = std::sregex_iterator(text.begin(), text.end(), option);
         at != std::sregex_iterator(); ++at) {
      options.push_back(at->str());
    }
    std::sort(options.begin(), options.end());
    options.erase(std::unique(options.begin(), options.end()), options.end());
    return options;
  };
  const std::string program = std::string(TANSHUKU_BUILD_DIR) + "/tanshuku-nec";
  for (const Page& page : pages()) {
    if (page.path.find("tanshuku-nec") == std::string::npos) continue;
    const std::string help =
        shell("env -u LC_ALL -u LC_MESSAGES LANG=" +
                  std::string(page.japanese() ? "ja_JP.UTF-8" : "C") + " \"$1\" --help",
              program)
            .output;
    std::vector<std::string> expected = optionsIn(help + " --help --version");
    ASSERT_GT(expected.size(), 2u) << page.name << ": no options in --help:\n" << help;
    const std::string options =
        section(renderedText(page), page.japanese() ? "オプション" : "OPTIONS");
    EXPECT_EQ(optionsIn(options), expected) << page.name;
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

// Where answers are explained, every user document says that the program
// reads half-width characters only: a full-width ７．０５ ends it with error
// 106 (README.txt says so in Japanese and in English). Those that describe
// tanshuku-utf8 on a terminal list, in one paragraph, every full-width
// character that it hands on half-width, as its line editor does: of each
// run of consecutive characters, the first and the last.
TEST_F(Manual, DocumentsSayTheProgramReadsHalfWidthOnly) {
#ifndef _WIN32
  struct Document {
    const char* path;
    int statements;
    bool listsFolds;
  };
  const Document documents[] = {{"README.md", 1, true},
                                {"README.ja.md", 1, true},
                                {"packaging/windows/README.txt", 2, false},
                                {"man/tanshuku.1", 1, false},
                                {"man/ja/tanshuku.1", 1, false},
                                {"man/tanshuku-utf8.1", 1, true},
                                {"man/ja/tanshuku-utf8.1", 1, true}};
  const std::vector<std::u32string> folds = halfWidthFolds();
  ASSERT_FALSE(folds.empty()) << "tanshuku-utf8 hands nothing on half-width";
  for (const Document& document : documents) {
    int statements = 0;
    bool listed = false;
    for (const std::string& paragraph : paragraphs(documentText(document.path))) {
      if (paragraph.find("７．０５") != std::string::npos && containsNumber(paragraph, 106)) {
        ++statements;
      }
      bool listsAll = true;
      for (const std::u32string& run : folds) {
        listsAll = listsAll && names(paragraph, run.front()) && names(paragraph, run.back());
      }
      listed = listed || listsAll;
    }
    EXPECT_GE(statements, document.statements)
        << document.path << ": no paragraph says that a full-width ７．０５ ends with 106";
    if (!document.listsFolds) continue;
    std::string expected;
    for (const std::u32string& run : folds) {
      expected += " " + utf8Of(run.front()) + (run.size() > 1 ? "…" + utf8Of(run.back()) : "");
    }
    EXPECT_TRUE(listed) << document.path
                        << ": no paragraph lists what tanshuku-utf8 hands on half-width:"
                        << expected;
  }
#endif
}

// The documents mark what the screens say as 「…」: each such quotation is a
// line that the program writes, or a whole part of one, character for
// character. In the Japanese documents 「…」 also names one of the
// document's own sections, by its title.
TEST_F(Manual, ScreenQuotationsAreWhatTheProgramWrites) {
#ifndef _WIN32
  struct Document {
    const char* path;
    bool namesSections;
  };
  const Document documents[] = {{"README.md", false},
                                {"README.ja.md", true},
                                {"docs/accuracy.md", false},
                                {"docs/accuracy.ja.md", true},
                                {"packaging/windows/README.txt", true},
                                {"web/page/index.html", true},
                                {"man/tanshuku.1", false},
                                {"man/ja/tanshuku.1", true},
                                {"man/tanshuku-utf8.1", false},
                                {"man/ja/tanshuku-utf8.1", true},
                                {"man/tanshuku-nec.1", false},
                                {"man/ja/tanshuku-nec.1", true}};
  const std::vector<std::string> screen = screenLines();
  ASSERT_GT(screen.size(), 100u) << "no screens in the transcripts";
  auto onScreen = [&](const std::string& quoted) {
    return std::any_of(screen.begin(), screen.end(), [&](const std::string& line) {
      return line.find(quoted) != std::string::npos;
    });
  };
  int quoted = 0;
  for (const Document& document : documents) {
    const std::string text = documentText(document.path);
    const std::vector<std::string> titles =
        document.namesSections ? sectionTitles(document.path, text) : std::vector<std::string>{};
    for (const std::string& quotation : quotations(text)) {
      ++quoted;
      const bool namesSection = std::any_of(
          titles.begin(), titles.end(), [&](auto& title) { return title.starts_with(quotation); });
      EXPECT_TRUE(onScreen(quotation) || namesSection)
          << document.path << ": 「" << quotation << "」 is not what the program writes"
          << (document.namesSections ? " nor a section's title" : "");
    }
  }
  EXPECT_GT(quoted, 50) << "the documents quote no screen";
#endif
}

// One set of terms throughout: the spellings that crept in beside them are
// gone from every Japanese document.
TEST_F(Manual, JapaneseDocumentsKeepToTheProjectsTerms) {
  const std::pair<const char*, const char*> variants[] = {
      {"放射能率", "放射効率"},
      {"終了コード", "終了ステータス"},
      {"コード ページ", "コードページ"},
      {"エラー コード", "エラーコード"},
      {"スタック オーバーフロー", "スタックオーバーフロー"},
      {"コマンド プロンプト", "コマンドプロンプト"},
      {"Enter キー", "リターンキー"},
      {"〜", "～"},
      {"µ", "μ"}};
  // Outside code and the screens' own words: フォルダー, a half-width slash
  // and a blank between a number and its unit (7.05 MHz, 21 %).
  const std::pair<std::regex, const char*> forms[] = {
      {std::regex("フォルダ(?!ー)"), "フォルダー"},
      {std::regex("／"), "/"},
      {std::regex("[0-9](MHz|kHz|μH|Ω|dB|%|mm|MB)"), "a blank before the unit"}};
  const std::regex quoted("```[^`]*```|`[^`]*`|「[^」]*」|\\\\fB[^\\\\]*\\\\f[RP]");
  for (const char* path : kJapaneseDocuments) {
    const std::string text = readFile(kTop + path);
    for (const auto& [variant, term] : variants) {
      EXPECT_EQ(text.find(variant), std::string::npos)
          << path << " writes " << variant << " for " << term;
    }
    if (std::string_view(path).ends_with(".js")) continue;
    const std::string prose = std::regex_replace(text, quoted, "");
    for (const auto& [variant, form] : forms) {
      std::smatch found;
      EXPECT_FALSE(std::regex_search(prose, found, variant))
          << path << " writes " << found.str() << " where the documents write " << form;
    }
  }
}

// The tables of the Japanese Markdown pages are Japanese: a cell without
// Japanese holds no English word (two or more ASCII letters other than a
// unit).
TEST_F(Manual, JapaneseTablesHaveNoEnglishRows) {
#ifndef _WIN32
  const std::vector<std::string> units = {"dB", "mm", "cm", "MHz", "Hz", "uH", "NEC"};
  auto englishWord = [&](const std::string& cell) {
    std::string word;
    for (size_t at = 0; at <= cell.size(); ++at) {
      if (at < cell.size() && std::isalpha(static_cast<unsigned char>(cell[at]))) {
        word += cell[at];
        continue;
      }
      if (word.size() > 1 && std::find(units.begin(), units.end(), word) == units.end()) break;
      word.clear();
    }
    return word;
  };
  for (const char* path : {"README.ja.md", "docs/accuracy.ja.md"}) {
    int rows = 0;
    for (const std::string& line : lines(readFile(kTop + path))) {
      if (!line.starts_with("|")) continue;
      ++rows;
      std::string english;
      std::istringstream cells(line);
      for (std::string cell; english.empty() && std::getline(cells, cell, '|');) {
        if (!holdsJapanese(cell)) english = englishWord(cell);
      }
      EXPECT_EQ(english, "") << path << ": English in a table row: " << line;
    }
    EXPECT_GT(rows, 0) << path << " has no tables";
  }
#endif
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
      {"2\n25\n50\n1\n21.13\n\n0\n", {"長岡係数は  0.692です", "この形では   24.87巻　必要です"}},
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

#ifndef _WIN32
// A figure of tanshuku-nec's JSON object.
double jsonFigure(const std::string& json, const std::string& name) {
  const size_t at = json.find("\"" + name + "\":");
  if (at == std::string::npos) return NAN;
  return std::strtod(json.c_str() + at + name.size() + 3, nullptr);
}

// A document's wording with the figure in place of its #, to the decimals
// the document gives, a negative one with the document's minus sign.
std::string withFigure(std::string pattern, double value, int decimals, const char* minus) {
  char number[32];
  std::snprintf(number, sizeof number, "%s%.*f", value < 0 ? minus : "", decimals,
                std::fabs(value));
  return pattern.replace(pattern.find('#'), 1, number);
}

// The resonating coils of tanshuku-nec's segment series, as the READMEs
// quote them: English "21.60, 21.43 μH at 21 and 41 segments", Japanese
// "21、41セグメントで21.60、21.43 μH".
std::string seriesText(const std::string& json, bool japanese) {
  std::vector<std::string> counts;
  std::vector<std::string> coils;
  const std::regex point("\\{\"segments\":([0-9]+),\"inductanceUh\":([-0-9.eE+]+)\\}");
  for (auto at = std::sregex_iterator(json.begin(), json.end(), point);
       at != std::sregex_iterator(); ++at) {
    counts.push_back((*at)[1]);
    coils.push_back(withFigure("#", std::strtod((*at)[2].str().c_str(), nullptr), 2, "−"));
  }
  auto joined = [&](const std::vector<std::string>& items, const char* last) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
      text += (i == 0 ? "" : i + 1 == items.size() ? last : (japanese ? "、" : ", ")) + items[i];
    }
    return text;
  };
  if (japanese) return joined(counts, "、") + "セグメントで" + joined(coils, "、") + " μH";
  return joined(coils, ", ") + " μH at " + joined(counts, " and ") + " segments";
}

// tanshuku-nec on the READMEs' dipole, in a given locale, with one more
// option where given.
ProcessResult necOnTheWorkedDesign(const std::string& locale, bool json,
                                   const char* option = nullptr) {
  ProcessOptions options;
  options.arguments = {"LC_ALL=" + locale,
                       std::string(TANSHUKU_BUILD_DIR) + "/tanshuku-nec",
                       "--frequency",
                       "7.05",
                       "--length",
                       "5",
                       "--diameter",
                       "2",
                       "--tip",
                       "2.5",
                       "--dipole",
                       "--coil-radius",
                       "25",
                       "--pitch",
                       "2",
                       "--wire",
                       "1"};
  if (json) options.arguments.push_back("--json");
  if (option != nullptr) options.arguments.push_back(option);
  options.timeoutSeconds = kNecRunSeconds;
  return runProcess("/usr/bin/env", "", options);
}
#endif

// The worked design of both READMEs shows tanshuku-nec's screen for its
// dipole, in English and in Japanese, with the coil modelled as wound, and
// quotes its figures in the text around the screens: NEC2's lumped coil and
// its segment series, how much menu 1's is too large and where it lands, the
// radiation resistances' ratio and how much menu 4 is too low, the
// efficiency, the feed-point resistances, the SWR and the bandwidth; menu 2's
// turns for the lumped coil, as --lumped gives them; and, as wound, what
// those turns act as and where they land, the turns to wind, how settled
// they are, the helix's Q and efficiency.
TEST(ReadmeExample, Nec2FiguresAreWhatTanshukuNecGives) {
#ifdef _WIN32
  GTEST_SKIP() << "tanshuku-nec runs on Linux";
#else
  if (shell("command -v nec2c >/dev/null", "").exitCode != 0) GTEST_SKIP() << "no nec2c";
  const ProcessResult figures = necOnTheWorkedDesign("C", true);
  ASSERT_EQ(figures.exitCode, 0) << figures.output;
  auto figure = [&](const char* name) { return jsonFigure(figures.output, name); };
  ASSERT_FALSE(std::isnan(figure("helixTurns"))) << "the helix did not run:\n" << figures.output;
  const ProcessResult lumped = necOnTheWorkedDesign("C", true, "--lumped");
  ASSERT_EQ(lumped.exitCode, 0) << lumped.output;
  auto lumpedFigure = [&](const char* name) { return jsonFigure(lumped.output, name); };
  struct Quote {
    double value;
    int decimals;
    const char* english;  // # stands for the number
    const char* japanese;
  };
  const Quote quotes[] = {
      {figure("necInductanceUh"), 2, "# μH", "# μH"},
      {figure("necInductanceUncertaintyUh"), 2, "± # μH", "± # μH"},
      {figure("differencePercent"), 1, "# % too large", "# %大きめ"},
      {figure("menu1CoilResonanceMhz"), 3, "# MHz", "# MHz"},
      {lumpedFigure("turns"), 1, "# turns", "#回巻き"},
      {lumpedFigure("coilLengthMm"), 1, "# mm long", "長さ# mm"},
      {figure("radiationResistanceRatioDb"), 2, "# dB", "# dB"},
      {figure("radiationResistanceRatioDb") - figure("menu4EfficiencyDb"), 2,
       "# dB more than menu 4", "メニュー4より# dB高く"},
      {figure("efficiencyPercent"), 1, "# % (", "# %（"},
      {figure("efficiencyDb"), 2, "(# dB)", "（# dB）"},
      {figure("feedResistanceLosslessOhm"), 2, "# Ω", "# Ω"},
      {figure("feedResistanceOhm"), 2, "# Ω", "# Ω"},
      {figure("swr50AtResonance"), 2, "SWR of #", "SWRは#"},
      {figure("bandwidthMatchedKhz"), 1, "# kHz", "# kHz"},
      {figure("helixEquivalentUh"), 2, "as # μH", "# μHに相当"},
      {figure("turnsInductanceUh"), 4, "the # μH", "の# μH"},
      {figure("helixResonanceMhzWithFormulaTurns"), 3, "# MHz", "# MHz"},
      {(figure("helixResonanceMhzWithFormulaTurns") - 7.05) * 1000, 0, "# kHz high", "# kHz高く"},
      {figure("helixTurns"), 1, "coils of # turns", "#回巻きのコイル"},
      {figure("helixTurns") * 2, 1, "# mm long", "長さ# mm"},
      {figure("helixTurnsFinerSegments"), 2, "# at 60", "#回巻き"},
      {figure("helixQ"), 0, "alone is #", "Qは#"},
      {figure("helixEfficiencyPercent"), 1, "the # % of", "での# %"}};
  const std::pair<const char*, ProcessResult> screens[] = {
      {"README.md", necOnTheWorkedDesign("C", false)},
      {"README.ja.md", necOnTheWorkedDesign("ja_JP.UTF-8", false)}};
  for (const auto& [readme, screen] : screens) {
    const bool japanese = std::string(readme) == "README.ja.md";
    const std::string text = readFile(kTop + readme);
    EXPECT_EQ(screen.exitCode, 0);
    EXPECT_NE(text.find("```\n" + screen.output + "```\n"), std::string::npos)
        << readme << " lacks the screen\n"
        << screen.output;
    // The text outside the screens, its line ends read as blanks.
    const std::string prose = std::regex_replace(
        std::regex_replace(text, std::regex("```[^`]*```"), ""), std::regex("\\s+"), " ");
    for (const Quote& quote : quotes) {
      const std::string quoted =
          withFigure(japanese ? quote.japanese : quote.english, quote.value, quote.decimals, "−");
      EXPECT_NE(prose.find(quoted), std::string::npos) << readme << " lacks " << quoted;
    }
    const std::string series = seriesText(figures.output, japanese);
    EXPECT_NE(prose.find(series), std::string::npos) << readme << " lacks " << series;
  }
#endif
}

#ifndef _WIN32
// The cells of a table of docs/accuracy.md, which the study writes: each
// row by its first cell.
std::map<std::string, std::vector<std::string>> studyTable(const std::string& name) {
  const std::string page = readFile(kTop + "docs/accuracy.md");
  const size_t start = page.find("<!-- table: " + name + " -->");
  const size_t end = page.find("<!-- end of table -->", start);
  std::map<std::string, std::vector<std::string>> rows;
  if (start == std::string::npos) return rows;
  for (const std::string& line : lines(page.substr(start, end - start))) {
    if (!line.starts_with("|")) continue;
    std::vector<std::string> cells;
    std::istringstream cellsOfLine(line.substr(1));
    for (std::string cell; std::getline(cellsOfLine, cell, '|');) {
      cells.push_back(cell.substr(1, cell.size() - 2));
    }
    rows[cells.front()] = cells;
  }
  return rows;
}
#endif

// Where the accuracy pages and the manual pages restate the study's tables
// in their prose, the figures are the tables' own, rounded as the prose
// rounds them (blanks and line ends read as one blank, and a minus sign as
// the hyphen that groff writes for one).
TEST(ManualFigures, ProseFiguresAreTheStudysTables) {
#ifndef _WIN32
  struct Figure {
    const char* table;
    const char* row;
    int column;
    int lessColumn;  // a difference of two cells, as a magnitude; -1 for none
    int decimals;
    std::vector<std::pair<const char*, const char*>> quotes;  // # stands for the figure
  };
  const char* const centreLoading = "menu 4, radiation efficiency, centre loading";
  const Figure figures[] = {
      {"efficiency",
       "0.03",
       3,
       4,
       1,
       {{"docs/accuracy.md", "by # dB at 0.03 λ"},
        {"docs/accuracy.ja.md", "0.03波長で# dB"},
        {"man/tanshuku.1", "by # dB at 0.03 wavelength"},
        {"man/ja/tanshuku.1", "0.03波長で# dB"}}},
      {"antenna-headline",
       centreLoading,
       2,
       -1,
       1,
       {{"docs/accuracy.md", "# dB at most near 0.06 λ"},
        {"docs/accuracy.ja.md", "0.06波長付近の# dB"},
        {"man/tanshuku.1", "by # dB at most near 0.06 wavelength"},
        {"man/ja/tanshuku.1", "0.06波長付近の# dB"}}},
      {"antenna-headline",
       "menu 4, radiation efficiency, base loading",
       2,
       -1,
       1,
       {{"README.md", "up to # dB too low with the coil at the base"},
        {"README.ja.md", "ベースのコイルでは最大# dB"}}},
      {"efficiency",
       "0.03",
       1,
       -1,
       1,
       {{"docs/accuracy.md", "# dB instead of"},
        {"docs/accuracy.ja.md", "ところを# dB"},
        {"man/tanshuku.1", "(# dB instead of"},
        {"man/ja/tanshuku.1", "ところを# dB"}}},
      {"efficiency",
       "0.03",
       2,
       -1,
       1,
       {{"docs/accuracy.md", "instead of # dB at 0.03 λ"},
        {"docs/accuracy.ja.md", "0.03波長で# dBのところ"},
        {"man/tanshuku.1", "instead of # dB at 0.03 wavelength"},
        {"man/ja/tanshuku.1", "0.03波長で# dBのところ"}}},
      {"efficiency",
       "0.10",
       1,
       -1,
       1,
       {{"docs/accuracy.md", "# dB instead of"},
        {"docs/accuracy.ja.md", "ところを# dB"},
        {"man/tanshuku.1", "# dB instead of"},
        {"man/ja/tanshuku.1", "ところを# dB"}}},
      {"efficiency",
       "0.10",
       2,
       -1,
       1,
       {{"docs/accuracy.md", "instead of # dB at 0.1 λ"},
        {"docs/accuracy.ja.md", "0.1波長で# dBのところ"},
        {"man/tanshuku.1", "instead of # dB at 0.1 wavelength"},
        {"man/ja/tanshuku.1", "0.1波長で# dBのところ"}}},
      {"dipole",
       "1000000",
       2,
       -1,
       2,
       {{"docs/accuracy.md", "# % instead of"}, {"docs/accuracy.ja.md", "のところを# %"}}},
      {"dipole",
       "1000000",
       4,
       -1,
       2,
       {{"docs/accuracy.md", "instead of # % for very thin wire"},
        {"docs/accuracy.ja.md", "とても細い線では# %のところ"}}},
      {"dipole",
       "200",
       2,
       -1,
       2,
       {{"docs/accuracy.md", "# % instead of"}, {"docs/accuracy.ja.md", "のところを# %"}}},
      {"dipole",
       "200",
       4,
       -1,
       2,
       {{"docs/accuracy.md", "instead of # % at λ / D = 200"},
        {"docs/accuracy.ja.md", "λ/D＝200では# %のところ"}}}};
  for (const Figure& figure : figures) {
    const auto rows = studyTable(figure.table);
    const auto row = rows.find(figure.row);
    ASSERT_NE(row, rows.end()) << figure.table << " has no row " << figure.row;
    const std::vector<std::string>& cells = row->second;
    double value = std::strtod(cells.at(figure.column).c_str(), nullptr);
    if (figure.lessColumn >= 0) {
      value = std::fabs(value - std::strtod(cells.at(figure.lessColumn).c_str(), nullptr));
    }
    for (const auto& [document, pattern] : figure.quotes) {
      std::string text = std::regex_replace(documentText(document), std::regex("\\s+"), " ");
      text = std::regex_replace(text, std::regex("−"), "-");
      const std::string quoted = withFigure(pattern, value, figure.decimals, "-");
      EXPECT_NE(text.find(quoted), std::string::npos) << document << " lacks " << quoted;
    }
  }
#endif
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

// A workflow whose tests compare with the default build stops at its first
// step, before any compiler is probed, with one line naming the workflow to
// run first: tried on a copy of the build's top files with no build/default.
TEST(ReadmeSetUp, WorkflowsComparedWithTheDefaultBuildAskForItFirst) {
#ifdef _WIN32
  GTEST_SKIP() << "the workflows are run on Linux";
#endif
  ProcessResult copied = shell(
      "tree=$(mktemp -d) && cp -r \"$1\"CMakeLists.txt \"$1\"CMakePresets.json \"$1\"cmake "
      "\"$tree\" && echo \"$tree\"",
      kTop);
  ASSERT_EQ(copied.exitCode, 0) << copied.output;
  const std::string tree = copied.output.substr(0, copied.output.find('\n'));
  for (const char* workflow : {"soft", "arm64", "arm64-core", "web"}) {
    ProcessResult run =
        shell(std::string("cd \"$1\" && cmake --workflow --preset ") + workflow + " 2>&1", tree);
    EXPECT_NE(run.exitCode, 0) << workflow;
    EXPECT_NE(
        run.output.find(
            "\n   No build/default/tanshuku: run `cmake --workflow --preset default` first\n"),
        std::string::npos)
        << workflow << ":\n"
        << run.output;
    EXPECT_EQ(run.output.find("compiler identification"), std::string::npos) << workflow;
  }
  shell("rm -rf \"$1\"", tree);
}

}  // namespace
