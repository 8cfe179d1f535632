// A dialogue with the program written as its answers: each one the line that
// answers one read of the program, with what kind of read takes it.
#pragma once

#include <string>
#include <vector>

enum class Read {
  menu,        // the menu's readInteger
  integer,     // a calculator's readInteger (the efficiency calculator's band count)
  real,        // readReal
  answerChar,  // readAnswerChar (the loading coil's Y or N)
  pause,       // waitForReturn
};

struct Answer {
  Read read;
  std::string line;  // without its line end
};

using Session = std::vector<Answer>;

// The standard input that types the answers, each line ended by lineEnd.
inline std::string inputOf(const Session& session, const std::string& lineEnd = "\n") {
  std::string input;
  for (const Answer& answer : session) input += answer.line + lineEnd;
  return input;
}
