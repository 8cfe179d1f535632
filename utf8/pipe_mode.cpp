#include "utf8/pipe_mode.hpp"

#include <fcntl.h>
#include <unistd.h>

#include "utf8/child.hpp"
#include "utf8/relay.hpp"

namespace PipeMode {

Child::Ending run(const std::string& program) {
  int toProgram[2];
  int fromProgram[2];
  if (pipe2(toProgram, O_CLOEXEC) != 0 || pipe2(fromProgram, O_CLOEXEC) != 0) {
    return Child::cannotStart("pipes for the program");
  }
  pid_t child = fork();
  if (child < 0) return Child::cannotStart("a process for the program");
  if (child == 0) {
    dup2(toProgram[0], STDIN_FILENO);
    dup2(fromProgram[1], STDOUT_FILENO);
    Child::exec(program);
  }
  Child::forwardSignals(child);
  close(toProgram[0]);
  close(fromProgram[1]);
  const int outputError = Relay::run({STDIN_FILENO, STDOUT_FILENO, toProgram[1], fromProgram[0]});
  const Child::Ending ending = Child::wait(child);
  return outputError != 0 ? Child::outputFailed(outputError) : ending;
}

}  // namespace PipeMode
