// The front end's line editor under the fuzzer: the input is a script of
// events, each a byte that says what happens and, for keys and output, a
// length byte and that many bytes. Random keys, broken escape sequences,
// cut UTF-8, windows of any width and output in the middle of a line must
// neither crash the editor nor hang it, and no line it hands on may be
// longer than the program's terminal holds.
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/standard_input.hpp"
#include "utf8/line_editor.hpp"

namespace {

void run(std::string_view script) {
  LineEditor editor(1 + static_cast<unsigned char>(script.empty() ? 0 : script[0]) % 200,
                    script.size() % 2 == 0);
  if (!script.empty()) script.remove_prefix(1);
  while (!script.empty()) {
    const auto event = static_cast<unsigned char>(script[0]);
    const size_t length = script.size() > 1 ? static_cast<unsigned char>(script[1]) : 0;
    const std::string_view bytes = script.substr(std::min<size_t>(2, script.size()), length);
    switch (event % 8) {
      case 0:
      case 1:
      case 2: editor.keys(bytes); break;
      case 3: editor.programOutput(bytes); break;
      case 4: editor.timeOut(); break;
      case 5: editor.resize(static_cast<int>(length) - 10); break;
      case 6:
        editor.suspend();
        editor.resume();
        break;
      default: editor.interrupt("^C"); break;
    }
    script.remove_prefix(std::min(script.size(), event % 8 < 4 ? 2 + length : 2));
    editor.takeScreen();
    for (const LineEditor::Handed& line : editor.handed()) {
      if (line.codePage932.size() > LineEditor::kLongestLine) std::abort();
    }
    editor.handed().clear();
  }
  editor.programEnded();
}

}  // namespace

int main() {
  const std::string input = readStandardInput();
  run(input);
}
