// Writes the page's program host (program_host.js) with its warm-up session
// written in: the input of golden transcripts, one for each calculator, read
// as the transcripts' own tests read them (test_support/transcript.hpp), so
// that the session follows the program's questions as they change. Each
// transcript must end at the menu with 0 and exit 0; the session takes each
// one's input but that last 0, in turn, and then 0 at the menu. Runs on the
// build machine.
//   make_warm_up_script TEMPLATE OUTPUT TRANSCRIPT...
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "test_support/transcript.hpp"

namespace {

constexpr std::string_view kPlaceholder = "'' /* the build's */";
constexpr std::string_view kEndAtTheMenu = "0\n";

// A JavaScript string literal of bytes: printable ASCII as it is, LF as
// \n, the rest as \xNN (the host takes each character's code as a byte).
std::string quoted(std::string_view bytes) {
  std::string literal = "'";
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      literal += "\\n";
    } else if (c == '\'' || c == '\\' || byte < 0x20 || byte > 0x7E) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      literal += escape;
    } else {
      literal += c;
    }
  }
  return literal + "'";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: make_warm_up_script TEMPLATE OUTPUT TRANSCRIPT...\n";
    return 2;
  }
  std::string session;
  for (int i = 3; i < argc; ++i) {
    const Transcript transcript = readTranscript(argv[i]);
    if (transcript.expectedExitCode != 0 || !transcript.input.ends_with(kEndAtTheMenu)) {
      std::cerr << argv[i] << ": does not end at the menu with 0 and exit 0\n";
      return 1;
    }
    session += transcript.input.substr(0, transcript.input.size() - kEndAtTheMenu.size());
  }
  session += kEndAtTheMenu;
  std::string host = readFile(argv[1]);
  const size_t at = host.find(kPlaceholder);
  if (at == std::string::npos) {
    std::cerr << argv[1] << ": no place for the warm-up's input\n";
    return 1;
  }
  host.replace(at, kPlaceholder.size(), quoted(session));
  std::ofstream(argv[2], std::ios::binary) << host;
  return 0;
}
