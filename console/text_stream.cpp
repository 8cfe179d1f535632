#include "console/text_stream.hpp"

#include <cstring>

#include "console/platform/io.hpp"

namespace TextStream {
namespace {

constexpr int kBufferSize = 256;

struct InputStream {
  unsigned char buffer[kBufferSize];
  int position = 0;
  int end = 0;
  bool ended = false;
  // A CR ended the last block: an LF opening the next block belongs to it.
  bool crAtBlockEnd = false;
};

struct OutputStream {
  unsigned char buffer[kBufferSize];
  int position = 0;
  bool flushAfterEachOperation = false;
};

InputStream input;
OutputStream output;
FailureHandler failureHandler = nullptr;

[[noreturn]] void fail(int number) {
  if (failureHandler != nullptr) failureHandler(number);
  Platform::exitProcess(number);
}

// Standard input reports a failure: the run-time error number is the
// system's error code, or 100 where that code is 100 or more.
int readFailureNumber(int errorCode) { return errorCode >= 1 && errorCode < 100 ? errorCode : 100; }

void readBlock() {
  while (!input.ended && input.position == input.end) {
    int count = Platform::readInput(input.buffer, kBufferSize);
    if (count < 0) fail(readFailureNumber(-count));
    input.position = 0;
    input.end = count;
    if (count == 0) input.ended = true;
    if (input.crAtBlockEnd && count > 0 && input.buffer[0] == '\n') {
      input.position = 1;
    }
    input.crAtBlockEnd = false;
  }
}

}  // namespace

void setFailureHandler(FailureHandler handler) { failureHandler = handler; }

void open() {
  input = InputStream{};
  output = OutputStream{};
  output.flushAfterEachOperation = Platform::openStandardOutput();
}

int peekByte() {
  if (input.position == input.end) readBlock();
  if (input.ended) return kEndOfInput;
  return input.buffer[input.position];
}

void takeByte() {
  unsigned char taken = input.buffer[input.position++];
  if (taken == '\r' && input.position == input.end) input.crAtBlockEnd = true;
}

void discardLine() {
  for (;;) {
    int byte = peekByte();
    if (byte == kEndOfInput || byte == kCtrlZ) return;
    takeByte();
    if (byte == '\n') return;
    if (byte == '\r') {
      // An LF in the same block is taken now; one that opens the next block
      // is dropped when that block arrives, so nothing waits for it here.
      if (input.position < input.end && input.buffer[input.position] == '\n') {
        takeByte();
      }
      return;
    }
  }
}

void put(std::string_view bytes) {
  while (!bytes.empty()) {
    if (output.position == kBufferSize) flush();
    size_t room = static_cast<size_t>(kBufferSize - output.position);
    size_t count = bytes.size() < room ? bytes.size() : room;
    std::memcpy(output.buffer + output.position, bytes.data(), count);
    output.position += static_cast<int>(count);
    bytes.remove_prefix(count);
  }
}

void endOperation() {
  if (output.flushAfterEachOperation) flush();
}

void flush() {
  if (output.position == 0) return;
  int count = output.position;
  output.position = 0;
  if (!Platform::writeOutput(output.buffer, count)) fail(kWriteFailed);
}

bool outputIsConsole() { return output.flushAfterEachOperation; }

}  // namespace TextStream
