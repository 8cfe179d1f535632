// Writes the script that gives the page the facts of the program's output
// that it relies on (contract/program_contract.hpp), so that they are
// spelled once: the form of the run-time error report, which the program's
// host writes for a trap of the WebAssembly machine, and the numbers of
// those traps; the menu's last line and menu 1's questions and result line,
// by which the page follows the design typed. Runs on the build machine.
//   make_contract_script OUTPUT
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "contract/program_contract.hpp"

namespace {

// The UTF-8 sequence's length that starts with this byte.
int sequenceLength(unsigned char lead) {
  if (lead < 0xE0) return 2;
  return lead < 0xF0 ? 3 : 4;
}

// A JavaScript string literal of UTF-8 text, in ASCII: whatever charset the
// page reads the script in, every character is the contract's. The
// contract's texts are of the Basic Multilingual Plane.
std::string quoted(std::string_view text) {
  std::string literal = "'";
  for (size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
      if (lead == '\'' || lead == '\\') literal += '\\';
      literal += static_cast<char>(lead);
      ++at;
      continue;
    }
    const int length = sequenceLength(lead);
    unsigned int code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
      code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", code);
    literal += escape;
    at += length;
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
         "// page relies on of the program's output.\n"
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
      << "  exports.kMenuLastLine = " << quoted(kMenuLastLine) << ";\n"
      << "  exports.loadingCoil = {\n"
      << "    kDiameterQuestion: " << quoted(LoadingCoil::kDiameterQuestion) << ",\n"
      << "    kLengthQuestion: " << quoted(LoadingCoil::kLengthQuestion) << ",\n"
      << "    kFrequencyQuestion: " << quoted(LoadingCoil::kFrequencyQuestion) << ",\n"
      << "    kLoadingQuestion: " << quoted(LoadingCoil::kLoadingQuestion) << ",\n"
      << "    kTipLoadingFirstBytes: " << quoted(LoadingCoil::kTipLoadingFirstBytes) << ",\n"
      << "    kTipLengthQuestion: " << quoted(LoadingCoil::kTipLengthQuestion) << ",\n"
      << "    kInductanceText: " << quoted(LoadingCoil::kInductanceText) << ",\n"
      << "  };\n"
      << "})(typeof module !== 'undefined' ? module.exports : (globalThis.ProgramContract = {}));\n";
  return out ? 0 : 1;
}
