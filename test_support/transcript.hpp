// Golden transcripts: a dialogue written as the screen shows it, in UTF-8.
//
//   # comment lines at the top say what the dialogue shows
//   [screen menu]                  the lines of tests/transcripts/screens/menu.t
//   周波数は？      «7.05»          text, then the answer typed on that line
//   結果です↵                       ↵ is the line end CR LF; trailing blanks count
//   [exit 0]                       the exit code, last
//
// Everything outside «» is expected output; the file's own line breaks are not
// output, only ↵ is. Each «answer» is one input line (the answer and LF),
// typed in Shift-JIS; inside it \xNN stands for a raw byte and \\ for a
// backslash. A run-time error
// report is compared as "Runtime error N at $XXXXXXXX↵  $XXXXXXXX↵
// $XXXXXXXX…↵↵": its locations and the number of caller lines vary.
#pragma once

#include <string>
#include <vector>

struct Transcript {
  std::string input;           // bytes for standard input
  std::string expectedOutput;  // Shift-JIS bytes
  // The expected output with a line end where each answer is typed: the
  // program's own lines as a terminal shows them, less the typed answers.
  std::string screen;
  int expectedExitCode = 0;
};

// The golden transcripts' files (tests/transcripts/**/*.t, less the screens
// they share), in order.
std::vector<std::string> transcriptFiles();

// Reads a transcript file; screens are looked up beside it in screens/.
Transcript readTranscript(const std::string& path);

// The expected output of one of the golden transcripts' screens, by name
// (tests/transcripts/screens/NAME.t).
std::string screenOutput(const std::string& name);

// The contents of a file, byte for byte; throws when it cannot be read.
std::string readFile(const std::string& path);

// Terminal columns of UTF-8 text: East Asian wide and full-width characters
// take two (half-width katakana one).
int displayWidth(const std::string& utf8);

// Converts UTF-8 text to the program's Shift-JIS (code page 932) bytes.
std::string toShiftJis(const std::string& utf8);
// Converts Shift-JIS bytes to UTF-8, for readable failure messages.
std::string toUtf8(const std::string& shiftJis);

// Replaces the locations of a run-time error report at the end of the output
// by the fixed form above; fails the output (returns it unchanged) when the
// report is malformed.
std::string normaliseReport(const std::string& output);
