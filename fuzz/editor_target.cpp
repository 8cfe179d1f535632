// The front end's runs of the program with going back, and its line
// editor, under the fuzzer: the input is a script of events, each a byte
// that says what happens and, for keys and output, a length byte and that
// many bytes; the program's runs end and start again as the script says,
// and time passes. Random keys, signal keys, broken escape sequences, cut
// UTF-8, windows of any width, output in the middle of a line and endings
// at any point must neither crash the dialogue nor hang it, and no line it
// hands on may be longer than the program's terminal holds.
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/standard_input.hpp"
#include "utf8/going_back.hpp"

namespace {

using GoingBack::Runs;
using GoingBack::Step;

// The program's endings that the script picks from: normal, the errors an
// answer causes, one it does not, and a signal.
constexpr Child::Ending kEndings[] = {{0, 0},   {106, 0}, {200, 0}, {205, 0},
                                      {207, 0}, {216, 0}, {0, 2}};

// Does what the dialogue asks until it waits or ends: the program always
// reads, and a signal ends its run. False once it has ended.
bool follow(Runs& runs, GoingBack::Time now) {
  for (;;) {
    runs.editor().takeScreen();
    runs.programReads();
    const Step step = runs.next(now);
    switch (step.kind) {
      case Step::Kind::startRun: break;
      case Step::Kind::handOnLine:
        if (step.line.codePage932.size() > LineEditing::kLongestLine) std::abort();
        break;
      case Step::Kind::signalRun: runs.programEnded({0, step.signal}); break;
      case Step::Kind::wait: return true;
      case Step::Kind::end: return false;
    }
  }
}

void run(std::string_view script) {
  Runs runs(1 + static_cast<unsigned char>(script.empty() ? 0 : script[0]) % 200,
            script.size() % 2 == 0);
  LineEditing::Editor& editor = runs.editor();
  if (!script.empty()) script.remove_prefix(1);
  GoingBack::Time now{0};
  while (!script.empty() && follow(runs, now)) {
    const auto event = static_cast<unsigned char>(script[0]);
    const size_t length = script.size() > 1 ? static_cast<unsigned char>(script[1]) : 0;
    const std::string_view bytes = script.substr(std::min<size_t>(2, script.size()), length);
    switch (event % 8) {
      case 0:
      case 1: runs.keys(bytes); break;
      case 2: runs.signal(length % 2 == 0 ? 2 : 3); break;
      case 3: runs.programOutput(bytes); break;
      case 4: now += GoingBack::Time(length * 50); break;  // up to 12.75 s
      case 5: editor.resize(static_cast<int>(length) - 10); break;
      case 6:
        editor.suspend();
        editor.resume();
        break;
      default: runs.programEnded(kEndings[length % std::size(kEndings)]); break;
    }
    script.remove_prefix(std::min(script.size(), event % 8 < 4 && event % 8 != 2 ? 2 + length : 2));
  }
  runs.programEnded(kEndings[0]);
}

}  // namespace

int main() {
  const std::string input = readStandardInput();
  run(input);
}
