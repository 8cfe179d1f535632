// A program whose screens differ from one run to the next: it writes its
// process id first, then a question for each line it reads, and ends with
// run-time error 106, as the program does, at a line that does not start
// with a digit.
#include <unistd.h>

#include <cctype>
#include <cstdio>

int main() {
  std::printf("run %d\r\n", static_cast<int>(getpid()));
  std::fflush(stdout);
  char line[256];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    if (std::isdigit(static_cast<unsigned char>(line[0])) == 0) {
      std::printf("Runtime error 106 at $00000000\r\n\r\n");
      return 106;
    }
    std::printf("question\r\n");
    std::fflush(stdout);
  }
  return 0;
}
