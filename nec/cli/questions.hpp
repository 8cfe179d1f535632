// The design's missing answers asked on the user's terminal in menu 1's
// order (diameter, length, frequency, base loading, the tip length), one a
// line, typed with the front end's line editor, which folds full-width
// digits, signs and Y/N to half-width. Each number is read as menu 1 reads
// it: the first word of the line by the program's number reader; an empty
// line or one that is no number asks again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "nec/input/design_values.hpp"
#include "nec/texts/messages.hpp"

namespace Questions {

// The order of the questions and what the answers set, without I/O.
class Dialogue {
 public:
  explicit Dialogue(DesignValues::Values& values) : values_(values) {}
  // The next question, or none when the design is complete.
  std::optional<DesignValues::Question> next() const;
  // Takes the answer line (code page 932, as the editor hands it on) to
  // the question. The question is asked again after a blank line, and after
  // one that holds no number with a line that says so.
  enum class Answer { taken, blank, notANumber };
  Answer answer(DesignValues::Question question, std::string_view line);

 private:
  DesignValues::Values& values_;
  bool tipAsked_ = false;
};

// The question's prompt.
std::string_view prompt(DesignValues::Question question, Messages::Language language);
// The line shown when an answer holds no number.
std::string_view notANumber(Messages::Language language);

// How the questions ended: all answered, the input ended (Ctrl-D on an
// empty line, or the terminal hung up), or a signal, which the caller
// raises again once the terminal is given back.
struct Ending {
  enum class Kind { answered, endOfInput, signal };
  Kind kind;
  int signal = 0;
};

// Asks the open questions on the terminal of standard input and output.
Ending askOnTerminal(DesignValues::Values& values, Messages::Language language);

}  // namespace Questions
