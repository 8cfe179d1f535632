// Writes the script that gives the page's program host the facts of the
// program's output that it relies on (contract/program_contract.hpp), so
// that they are spelled once: the form of the run-time error report, which
// the host writes for a trap of the WebAssembly machine, and the numbers of
// those traps. Runs on the build machine.
//   make_contract_script OUTPUT
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "contract/program_contract.hpp"

namespace {

// A JavaScript string literal of ASCII text.
std::string quoted(std::string_view text) {
  std::string literal = "'";
  for (char c : text) {
    if (c == '\'' || c == '\\') literal += '\\';
    literal += c;
  }
  return literal + "'";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_contract_script OUTPUT\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  using namespace ProgramContract;
  out << "// Made when the page is built, from contract/program_contract.hpp: what the\n"
         "// program's host relies on of the program's output.\n"
         "(function (exports) {\n"
         "  'use strict';\n"
      << "  exports.kReportStart = " << quoted(kReportStart) << ";\n"
      << "  exports.kReportAt = " << quoted(kReportAt) << ";\n"
      << "  exports.kLocationLine = " << quoted(kLocationLine) << ";\n"
      << "  exports.kLocationDigits = " << kLocationDigits << ";\n"
      << "  exports.kConsoleCallerLines = " << kConsoleCallerLines << ";\n"
      << "  exports.kKeptCallerLines = " << kKeptCallerLines << ";\n"
      << "  exports.stackOverflow = " << stackOverflow << ";\n"
      << "  exports.accessViolation = " << accessViolation << ";\n"
      << "})(typeof module !== 'undefined' ? module.exports : (globalThis.ProgramContract = {}));\n";
  return out ? 0 : 1;
}
