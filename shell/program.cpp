#include "shell/program.hpp"

#include "console/console_io.hpp"
#include "console/run_time_error.hpp"

namespace Program {

void start() {
  RunTime::setUpFaultHandling();
  ConsoleIo::open();
}

}  // namespace Program
