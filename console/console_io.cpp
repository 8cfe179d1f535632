#include "console/console_io.hpp"

#include "arithmetic/extended.hpp"
#include "arithmetic/return_address.hpp"
#include "arithmetic/stored.hpp"
#include "console/fixed_format.hpp"
#include "console/number_syntax.hpp"
#include "console/run_time_error.hpp"
#include "console/text_stream.hpp"

namespace ConsoleIo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlankLine = " ";
constexpr int kMaxTokenLength = 255;

bool isBlankOrControl(int byte) { return byte <= 0x20; }

// A number token: the bytes above 0x20 after any blanks and line ends.
struct Token {
  char bytes[kMaxTokenLength];
  int length = 0;
  bool skippedSomething = false;  // blanks or line ends came before it
  bool atCtrlZ = false;           // a Ctrl-Z byte stopped it
  std::string_view view() const { return {bytes, static_cast<size_t>(length)}; }
};

Token readToken() {
  Token token;
  int byte = TextStream::peekByte();
  while (byte != TextStream::kEndOfInput && byte != TextStream::kCtrlZ && isBlankOrControl(byte)) {
    TextStream::takeByte();
    token.skippedSomething = true;
    byte = TextStream::peekByte();
  }
  while (byte != TextStream::kEndOfInput && !isBlankOrControl(byte) &&
         token.length < kMaxTokenLength) {
    token.bytes[token.length++] = static_cast<char>(byte);
    TextStream::takeByte();
    byte = TextStream::peekByte();
  }
  token.atCtrlZ = byte == TextStream::kCtrlZ;
  return token;
}

}  // namespace

void open() { TextStream::open(); }

[[gnu::noinline]] void writeText(std::string_view text) {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  TextStream::put(text);
  TextStream::endOperation();
}

[[gnu::noinline]] void writeLine(std::string_view text) {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  TextStream::put(text);
  TextStream::put(kLineEnd);
  TextStream::endOperation();
}

[[gnu::noinline]] void writeBlankLines(int count) {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  for (int line = 0; line < count; ++line) {
    TextStream::put(kBlankLine);
    TextStream::put(kLineEnd);
  }
  TextStream::endOperation();
}

[[gnu::noinline]] void writeLines(std::span<const std::string_view> lines) {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  for (std::string_view line : lines) {
    TextStream::put(line);
    TextStream::put(kLineEnd);
  }
  TextStream::endOperation();
}

[[gnu::noinline]] void writeFixed(double value, int width, int decimals) {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  TextStream::put(FixedFormat::format(value, width, decimals).view());
  TextStream::endOperation();
}

[[gnu::noinline]] double readReal() {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  Token token = readToken();
  if (token.length == 0) {
    // Only blanks and line ends before the end of the input read as 0.
    if (token.atCtrlZ || !token.skippedSomething) {
      RunTime::runTimeError(RunTime::invalidNumber);
    }
    return 0.0;
  }
  std::optional<Extended> value = NumberSyntax::parseReal(token.view());
  if (!value) RunTime::runTimeError(RunTime::invalidNumber);
  double result = stored(*value);
  TextStream::discardLine();
  return result;
}

[[gnu::noinline]] std::int16_t readInteger() {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  Token token = readToken();
  if (token.length == 0) return 0;
  std::optional<std::int32_t> value = NumberSyntax::parseInteger(token.view());
  if (!value) RunTime::runTimeError(RunTime::invalidNumber);
  TextStream::discardLine();
  return NumberSyntax::low16Bits(*value);
}

[[gnu::noinline]] unsigned char readAnswerChar() {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  int byte = TextStream::peekByte();
  TextStream::discardLine();
  return byte == TextStream::kEndOfInput ? TextStream::kCtrlZ : static_cast<unsigned char>(byte);
}

[[gnu::noinline]] void waitForReturn() {
  RunTime::CallerScope scope(RETURN_ADDRESS());
  TextStream::discardLine();
}

}  // namespace ConsoleIo
