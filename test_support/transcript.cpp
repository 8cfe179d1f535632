#include "test_support/transcript.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "test_support/report.hpp"

namespace {

const std::string kLineEndMark = "↵";
const std::string kAnswerOpen = "«";
const std::string kAnswerClose = "»";

#ifdef _WIN32
UINT codePage(const char* name) { return std::string(name) == "UTF-8" ? CP_UTF8 : 932; }

std::string convert(const std::string& text, const char* to, const char* from) {
  if (text.empty()) return text;
  int size = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  int wideSize = MultiByteToWideChar(codePage(from), MB_ERR_INVALID_CHARS, text.data(), size,
                                     wide.data(), size);
  std::string result(text.size() * 4, '\0');
  BOOL replaced = FALSE;
  BOOL* noteReplaced = codePage(to) == CP_UTF8 ? nullptr : &replaced;
  int resultSize = WideCharToMultiByte(codePage(to), 0, wide.data(), wideSize, result.data(),
                                       static_cast<int>(result.size()), nullptr, noteReplaced);
  if (wideSize == 0 || resultSize == 0 || replaced) {
    throw std::runtime_error("cannot convert: " + text);
  }
  result.resize(static_cast<size_t>(resultSize));
  return result;
}
#else
std::string convert(const std::string& text, const char* to, const char* from) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  std::string result(text.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* out = result.data();
  size_t outLeft = result.size();
  size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (done == static_cast<size_t>(-1)) {
    throw std::runtime_error("cannot convert: " + text);
  }
  result.resize(result.size() - outLeft);
  return result;
}
#endif

// The answer as typed on a Shift-JIS console: its text converted, \xNN
// escapes taken as raw bytes.
std::string unescapeAnswer(const std::string& answer) {
  std::string bytes;
  std::string text;
  auto flushText = [&] {
    bytes += convert(text, "CP932", "UTF-8");
    text.clear();
  };
  for (size_t i = 0; i < answer.size(); ++i) {
    if (answer[i] == '\\' && i + 1 < answer.size() && answer[i + 1] == '\\') {
      text += '\\';
      ++i;
    } else if (answer[i] == '\\' && i + 3 < answer.size() && answer[i + 1] == 'x') {
      flushText();
      bytes += static_cast<char>(std::stoi(answer.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      text += answer[i];
    }
  }
  flushText();
  return bytes;
}

std::string directory(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// The expected output, and the same with a line end where each answer is
// typed (the terminal's echo of the Return), both in UTF-8.
struct ExpectedText {
  std::string output;
  std::string screen;
};

void readLines(const std::string& path, const std::string& screensDir, Transcript& transcript,
               ExpectedText& expected) {
  std::istringstream lines(readFile(path));
  std::string line;
  bool inHeader = true;
  while (std::getline(lines, line)) {
    if (inHeader && line.starts_with("#")) continue;
    inHeader = false;
    if (line.starts_with("[screen ") && line.ends_with("]")) {
      readLines(screensDir + "/" + line.substr(8, line.size() - 9) + ".t", screensDir, transcript,
                expected);
      continue;
    }
    if (line.starts_with("[exit ") && line.ends_with("]")) {
      transcript.expectedExitCode = std::stoi(line.substr(6));
      continue;
    }
    size_t at = 0;
    while (at < line.size()) {
      size_t open = line.find(kAnswerOpen, at);
      std::string text = line.substr(at, open == std::string::npos ? std::string::npos : open - at);
      for (size_t mark; (mark = text.find(kLineEndMark)) != std::string::npos;) {
        text.replace(mark, kLineEndMark.size(), "\r\n");
      }
      expected.output += text;
      expected.screen += text;
      if (open == std::string::npos) break;
      expected.screen += "\r\n";
      size_t close = line.find(kAnswerClose, open);
      if (close == std::string::npos) throw std::runtime_error("unclosed « in " + path);
      std::string answer =
          line.substr(open + kAnswerOpen.size(), close - open - kAnswerOpen.size());
      transcript.input += unescapeAnswer(answer) + "\n";
      at = close + kAnswerClose.size();
    }
  }
}

}  // namespace

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

int displayWidth(const std::string& utf8) {
  int width = 0;
  for (size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int i = 1; i < length && at + static_cast<size_t>(i) < utf8.size(); ++i) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[at + static_cast<size_t>(i)]) & 0x3F);
    }
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6);
    width += wide ? 2 : 1;
    at += static_cast<size_t>(length);
  }
  return width;
}

std::string toShiftJis(const std::string& utf8) { return convert(utf8, "CP932", "UTF-8"); }
std::string toUtf8(const std::string& shiftJis) { return convert(shiftJis, "UTF-8", "CP932"); }

Transcript readTranscript(const std::string& path) {
  Transcript transcript;
  ExpectedText expected;
  std::string base = directory(path);
  std::string screensDir = base.ends_with("/screens") ? base : base + "/screens";
  if (base.find("/transcripts/") != std::string::npos) {
    screensDir = base.substr(0, base.find("/transcripts/")) + "/transcripts/screens";
  }
  readLines(path, screensDir, transcript, expected);
  transcript.expectedOutput = toShiftJis(expected.output);
  transcript.screen = toShiftJis(expected.screen);
  return transcript;
}

std::string screenOutput(const std::string& name) {
  return readTranscript(std::string(TANSHUKU_TRANSCRIPT_DIR) + "/screens/" + name + ".t")
      .expectedOutput;
}

std::string normaliseReport(const std::string& output) {
  Report report = reportIn(output);
  if (report.number < 0) return output;
  return report.textBefore + "Runtime error " + std::to_string(report.number) +
         " at $XXXXXXXX\r\n  $XXXXXXXX\r\n  $XXXXXXXX" + toShiftJis("…") + "\r\n\r\n";
}

std::vector<std::string> transcriptFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TANSHUKU_TRANSCRIPT_DIR)) {
    std::string path = entry.path().generic_string();
    if (entry.is_regular_file() && entry.path().extension() == ".t" &&
        path.find("/screens/") == std::string::npos) {
      files.push_back(path);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}
