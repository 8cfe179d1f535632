// The dialogue operations: the only way the program talks to the user.
// Output is Shift-JIS bytes written exactly as given, lines end in CR LF.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ConsoleIo {

// Opens the two standard streams; called once at start-up.
void open();

// Writes the text; the cursor stays behind it (a question is answered there).
void writeText(std::string_view text);

// Writes the text, then CR LF.
void writeLine(std::string_view text);

// Writes count blank lines. A blank line of the program holds one blank
// before its CR LF: " \r\n", never an empty line.
void writeBlankLines(int count);

// Writes each text as a line, in order: a whole screen or part of one.
void writeLines(std::span<const std::string_view> lines);

// Writes value in fixed-point notation, right-aligned in at least width bytes.
void writeFixed(double value, int width, int decimals);

// Reads one number and discards the rest of its input line.
double readReal();
std::int16_t readInteger();

// Returns the first byte of the next input line and discards that line.
// An empty line gives CR (0x0D), the end of the input gives 0x1A.
unsigned char readAnswerChar();

// Discards one input line: waits until the user presses Return.
void waitForReturn();

}  // namespace ConsoleIo
