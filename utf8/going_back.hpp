// The user's dialogue with the program over as many runs of it as going
// back takes. Every run's output and the answers handed to it are kept;
// when a run ends with a run-time error that a typed answer caused, the
// user is told in Japanese what happened and offered to go back: the
// program is started again, given the answers before the question one at a
// time, and its output checked byte for byte against the first run's, and
// the answers from there on are offered again in the line.
//
// The dialogue makes every decision and keeps every deadline; its host
// (a terminal and a pseudo-terminal, a page's terminal) only does the I/O:
// it tells the dialogue what happened and asks it what to do next, as in
//
//   for (;;) {
//     const Step step = runs.next(now);
//     ...  // start a run, hand on a line, signal the run, end, or wait
//   }       // for keys, output, the program's read or end, until step.until
//
// No I/O here.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "utf8/line_editor.hpp"
#include "utf8/program_ending.hpp"

namespace GoingBack {

// A time on the host's steady clock.
using Time = std::chrono::milliseconds;

// How long a run started again may take to show what the first run showed.
constexpr std::chrono::milliseconds kReplayWait{10'000};

// What the host does next.
struct Step {
  enum class Kind {
    startRun,    // start the program (again)
    handOnLine,  // give the program the line, which it waits for
    signalRun,   // send the run under way the signal
    wait,        // for something to happen, or until the time
    end,         // the front end ends as the dialogue did
  };
  Kind kind = Kind::wait;
  LineEditing::HandedLine line{};  // handOnLine
  int signal = 0;                  // signalRun
  std::optional<Time> until;       // wait: when to ask again at the latest
  bool lineWaits = false;          // wait: a line is due once the program reads
  Child::Ending ending;            // end
};

// The runs of the program that one dialogue of the user's takes: the run
// under way and the one gone back from.
class Runs {
 public:
  Runs(int columns, bool echo);

  LineEditing::Editor& editor() { return editor_; }
  // How the dialogue ended: as the run that ended it did, or by the signal
  // that ended it while no run was under way.
  Child::Ending ending() const { return ending_; }

  // What happened: keys typed (a host whose terminal turns signal keys into
  // signals tells those apart, by signal()); the program wrote; it has read
  // all it was given and waits for more; its output has ended, and so has
  // the program; a signal key was typed, or the front end got a signal that
  // ends it.
  void keys(std::string_view bytes);
  void programOutput(std::string_view bytes);
  void programReads();
  void programEnded(Child::Ending ending);
  void signal(int signal);

  // What to do next, the time being now: deadlines past by then are kept
  // first.
  Step next(Time now);

 private:
  enum class State {
    starting,  // a run of the program is to be started
    running,   // a run is under way
    offering,  // it ended; the user is asked whether to go back
    finished,  // the front end ends, with ending()
  };
  struct Answer {
    size_t outputBefore;  // the bytes of output the program had written when it was handed on
    LineEditing::HandedLine handed;
  };
  // A program run: all it wrote, in code page 932, and the answers it got.
  struct Run {
    std::string output;
    std::vector<Answer> answers;
  };

  void keepDeadlines(Time now);
  void takeDecisions();
  Step startRun(Time now);
  Step waitStep() const;
  bool replaying() const { return replayed_ < replayCount_; }
  bool lineIsDue() const;
  LineEditing::HandedLine handOn();
  bool mayGoBack() const;
  size_t firstAnswerOfTheCalculation() const;
  void offerToGoBack();
  void takeDecision(const LineEditing::HandedLine& line);
  void goBack();
  void refuseReplay();
  void offerNextAnswer();

  LineEditing::Editor editor_;
  State state_ = State::starting;
  Child::Ending ending_;
  Child::Ending endingBefore_;  // of the run gone back from
  Run run_;
  Run before_;              // the run gone back from
  size_t replayCount_ = 0;  // its answers handed on again
  size_t replayed_ = 0;
  size_t shownFrom_ = 0;                 // output of the run started again shown from here on
  std::vector<std::u32string> toOffer_;  // next last
  std::string menuLine_;                 // the menu's last line, in code page 932

  bool programReads_ = false;  // the run under way waits for a line
  int signalToSend_ = 0;       // to the run under way
  // Since the host last asked what next: anything happened, the program
  // wrote.
  bool newsSinceAsked_ = true;
  bool outputSinceAsked_ = false;
  std::optional<Time> keyDeadline_;  // the editor's wait for the rest of a key
  Time replayDeadline_{};            // for the run started again to show more
};

}  // namespace GoingBack
