// The two buffered streams on the standard handles. Input is read in blocks
// of up to 256 bytes; output collects in a 256-byte buffer and is written
// when it is full, at the end of the program, and after every dialogue
// operation when standard output is a console.
#pragma once

#include <string_view>

#include "contract/program_contract.hpp"

namespace TextStream {

constexpr int kEndOfInput = -1;
// The run-time error number of a failed write.
constexpr int kWriteFailed = ProgramContract::writeFailed;
constexpr unsigned char kCtrlZ = 0x1A;

// Ends the program when standard input or output fails, given the run-time
// error number; it does not return. Installed at start-up by the run-time
// error report, which writes through this stream; without one, the process
// ends with the number as its exit code and reports nothing.
using FailureHandler = void (*)(int number);
void setFailureHandler(FailureHandler handler);

void open();

// Input: the next unread byte (reading a block when none is buffered), or
// kEndOfInput once the input has ended, which it then does for good.
int peekByte();
void takeByte();

// Takes the bytes up to and including the next line end (LF, CR or CR LF).
// Stops in front of a Ctrl-Z byte; returns at once at the end of the input.
void discardLine();

// Output.
void put(std::string_view bytes);
void endOperation();  // writes out the buffer when output is a console
void flush();         // writes out the buffer
bool outputIsConsole();

}  // namespace TextStream
