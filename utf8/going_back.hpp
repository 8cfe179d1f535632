// The user's dialogue with the program over as many runs of it as going
// back takes. Every run's output and the answers handed to it are kept;
// when a run ends with a run-time error that a typed answer caused, the
// user is told in Japanese what happened and offered to go back: the
// program is started again, given the answers before the question one at a
// time, and its output checked byte for byte against the first run's, and
// the answers from there on are offered again in the line. No I/O: the
// surroundings start the program, carry the bytes and ask what comes next.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "utf8/line_editor.hpp"
#include "utf8/program_ending.hpp"

namespace GoingBack {

// The runs of the program that one dialogue of the user's takes: the run
// under way and the one gone back from.
class Runs {
 public:
  enum class State {
    running,     // a program run is under way
    offering,    // it ended; the user is asked whether to go back
    startAgain,  // the user goes back: start the program again
    finished,    // the front end ends, with ending()
  };
  Runs(int columns, bool echo);

  LineEditing::Editor& editor() { return editor_; }
  State state() const { return state_; }
  // How the front end ends: as the run that ended the dialogue did.
  Child::Ending ending() const { return ending_; }

  void keys(std::string_view bytes);
  void programOutput(std::string_view bytes);
  // The next line for the program, once its input queue is empty; none
  // while nothing is to be handed on yet.
  std::optional<LineEditing::HandedLine> nextLine();
  // The program's output has ended, and so has the program.
  void programEnded(Child::Ending ending);
  // The program was started again after startAgain.
  void programStarted();
  // The program started again went quiet before it had shown all that the
  // first run had: the replay ends as a difference.
  void replayStalled();
  bool replaying() const { return replayed_ < replayCount_; }

 private:
  struct Answer {
    size_t outputBefore;  // the bytes of output the program had written when it was handed on
    LineEditing::HandedLine handed;
  };
  // A program run: all it wrote, in code page 932, and the answers it got.
  struct Run {
    std::string output;
    std::vector<Answer> answers;
  };

  bool mayGoBack() const;
  size_t firstAnswerOfTheCalculation() const;
  void offerToGoBack();
  void takeDecision(const LineEditing::HandedLine& line);
  void goBack();
  void refuseReplay();
  void offerNextAnswer();

  LineEditing::Editor editor_;
  State state_ = State::running;
  Child::Ending ending_;
  Child::Ending endingBefore_;  // of the run gone back from
  Run run_;
  Run before_;              // the run gone back from
  size_t replayCount_ = 0;  // its answers handed on again
  size_t replayed_ = 0;
  size_t shownFrom_ = 0;                 // output of the run started again shown from here on
  std::vector<std::u32string> toOffer_;  // next last
  std::string menuLine_;                 // the menu's last line, in code page 932
};

}  // namespace GoingBack
