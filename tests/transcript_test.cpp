// Runs every golden transcript under tests/transcripts through the program.
#include "test_support/transcript.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "test_support/process.hpp"

namespace {

namespace fs = std::filesystem;

std::string testName(const std::string& path) {
  std::string name =
      fs::relative(path, TANSHUKU_TRANSCRIPT_DIR).replace_extension().generic_string();
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
}

// The first line where the two outputs part, in UTF-8, for the failure message.
std::string firstDifference(const std::string& expected, const std::string& actual) {
  size_t at = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first -
              expected.begin();
  size_t lineStart = expected.rfind('\n', at == 0 ? 0 : at - 1);
  lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
  auto lineOf = [&](const std::string& text) {
    size_t end = text.find('\n', at);
    std::string line =
        text.substr(lineStart, end == std::string::npos ? std::string::npos : end - lineStart + 1);
    try {
      return toUtf8(line);
    } catch (...) {
      return line;
    }
  };
  return "at byte " + std::to_string(at) + "\n  expected: [" + lineOf(expected) +
         "]\n  actual:   [" + lineOf(actual) + "]";
}

class TranscriptTest : public testing::TestWithParam<std::string> {};

TEST_P(TranscriptTest, ProgramWritesExactlyTheTranscript) {
  Transcript transcript = readTranscript(GetParam());
  ProcessResult result = runProcess(programPath(), transcript.input);
  std::string actual = normaliseReport(result.output);
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, transcript.expectedExitCode);
  EXPECT_TRUE(actual == transcript.expectedOutput)
      << firstDifference(transcript.expectedOutput, actual);
}

INSTANTIATE_TEST_SUITE_P(Golden, TranscriptTest, testing::ValuesIn(transcriptFiles()),
                         [](const testing::TestParamInfo<std::string>& param) {
                           return testName(param.param);
                         });

// The transcripts are UTF-8 and become the program's bytes through the
// converter. These characters' code page 932 bytes are pinned apart from it,
// written as the transcripts write them, so that every transcript pins them
// too: the full-width blank, signs that other tables map elsewhere (the wave
// dash, the full-width hyphen-minus), the half-width katakana of the
// drawings and the Greek mu. Each occurs in what the transcripts compare.
TEST(TranscriptBytes, TheScreensCharactersConvertToTheirCodePage932Bytes) {
  std::string compared;
  for (const std::string& path : transcriptFiles()) compared += readTranscript(path).expectedOutput;
  const struct {
    const char* text;
    const char* bytes;
  } pinned[] = {
      {"です　*****", "\x82\xC5\x82\xB7\x81\x40*****"},
      {"比　透", "\x94\xE4\x81\x40\x93\xA7"},
      {"10.379ｍ　", "10.379\x82\x8D\x81\x40"},
      {"2.44％  ", "2.44\x81\x93  "},
      {"Ｙ  or  Ｎ", "\x82\x78  or  \x82\x6D"},
      {"Ｍｎ－Ｚｎ", "\x82\x6C\x82\x8E\x81\x7C\x82\x79\x82\x8E"},
      {"(メニュー１）", "(\x83\x81\x83\x6A\x83\x85\x81\x5B\x82\x50\x81\x6A"},
      {"1～8", "1\x81\x60\x38"},
      {"   ・     ", "   \x81\x45     "},
      {"ﾛ TXout ﾛ", "\xDB TXout \xDB"},
      {"ｺｲﾙ", "\xBA\xB2\xD9"},
      {"27.0697 μ", "27.0697 \x83\xCA"},
  };
  for (const auto& [text, bytes] : pinned) {
    EXPECT_EQ(toShiftJis(text), bytes) << text;
    EXPECT_NE(compared.find(bytes), std::string::npos) << text << " is in no transcript";
  }
}

// The READMEs (the Windows package's too) and the manual pages tell how wide a
// terminal the program needs:
// the widest line the program writes on any screen of any transcript (which
// the transcript tests hold to what the program prints), and the widest of
// all the other lines.
TEST(ScreenWidth, DocumentsStateTheWidestLinesOfAllScreens) {
  std::map<int, std::string, std::greater<>> lineOfWidth;
  for (const std::string& path : transcriptFiles()) {
    std::istringstream screen(readTranscript(path).screen);
    for (std::string line; std::getline(screen, line, '\n');) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lineOfWidth.emplace(displayWidth(toUtf8(line)), line);
    }
  }
  ASSERT_GE(lineOfWidth.size(), 2u);
  const auto widest = lineOfWidth.begin();
  const auto next = std::next(widest);
  const std::string columns = std::to_string(widest->first);
  const std::string others = std::to_string(next->first);
  const std::pair<std::string, std::vector<std::string>> statements[] = {
      {"README.md", {"widest line is " + columns + " columns", "others fit in " + others}},
      {"README.ja.md", {"最も長い行は" + columns + "桁", "ほかの行は" + others + "桁"}},
      {"man/tanshuku.1", {"widest line is " + columns + " columns", "others fit in " + others}},
      {"man/ja/tanshuku.1", {"最も長い行は" + columns + "桁", "ほかの行は" + others + "桁"}},
      {"packaging/windows/README.txt",
       {"widest line is " + columns + " columns", "others fit in " + others,
        "最も長い行は" + columns + "桁", "ほかの行は" + others + "桁"}}};
  const std::string top = std::string(TANSHUKU_TRANSCRIPT_DIR) + "/../../";
  for (const auto& [file, phrases] : statements) {
    for (const std::string& phrase : phrases) {
      EXPECT_NE(readFile(top + file).find(phrase), std::string::npos)
          << file << " should say \"" << phrase << "\"; the widest lines are:\n"
          << toUtf8(widest->second) << "\n"
          << toUtf8(next->second);
    }
  }
}

}  // namespace
