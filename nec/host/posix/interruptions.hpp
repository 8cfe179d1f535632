// Holds back the signals that end a program from its terminal or from the
// system (SIGINT, SIGTERM, SIGHUP, SIGQUIT) for as long as an object of
// this class lives, so that a run of nec2c can kill its child and remove
// its files first, and a file under its temporary name is renamed or
// removed first. A signal that arrives is noted; when the object goes,
// the previous actions are put back and the signal noted is raised again,
// so that the program ends as it would have without the run, or its own
// handler sees it. A signal that was ignored stays ignored.
//
// Objects may nest: the outermost one holds the signals back and raises
// the one noted.
#pragma once

namespace Nec2 {

class Interruptions {
 public:
  Interruptions();
  ~Interruptions();
  Interruptions(const Interruptions&) = delete;
  Interruptions& operator=(const Interruptions&) = delete;

  // The signal that arrived, or 0.
  int arrived() const;
};

}  // namespace Nec2
