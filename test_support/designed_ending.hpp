// Whether a run of the program ended in one of its designed ways: a normal
// end at the menu (exit code 0), or a run-time error whose report is the last
// thing written and whose number is the exit code. Either way every line ends
// in CR LF.
#pragma once

#include <algorithm>
#include <set>
#include <string>

#include "test_support/process.hpp"
#include "test_support/report.hpp"
#include "test_support/transcript.hpp"

// The exit codes that standard input alone can bring about while standard
// output works: a normal end, an answer that is not a number, and the three
// trapped arithmetic faults.
inline const std::set<int> kInputEndings = {0, 106, 200, 205, 207};

// The bytes that end every normal run: the menu screen and the blank line
// written after its answer.
inline const std::string& normalEndBytes() {
  static const std::string bytes = screenOutput("menu") + " \r\n";
  return bytes;
}

// What is wrong with the output's line ends, or "".
inline std::string lineEndFault(const std::string& output) {
  for (size_t at = output.find_first_of("\r\n"); at != std::string::npos;
       at = output.find_first_of("\r\n", at + 1)) {
    if (output[at] == '\r' && (at + 1 == output.size() || output[at + 1] != '\n')) {
      return "a CR without LF at byte " + std::to_string(at);
    }
    if (output[at] == '\n' && (at == 0 || output[at - 1] != '\r')) {
      return "an LF without CR at byte " + std::to_string(at);
    }
  }
  return "";
}

// What is wrong with the way the run ended, or "" when it ended in one of the
// designed ways.
inline std::string undesignedEnding(const ProcessResult& result,
                                    const std::set<int>& designedCodes = kInputEndings) {
  if (result.signal != 0) return "killed by signal " + std::to_string(result.signal);
  if (!designedCodes.contains(result.exitCode)) {
    return "exit code " + std::to_string(result.exitCode);
  }
  if (std::string fault = lineEndFault(result.output); !fault.empty()) return fault;
  const std::string& output = result.output;
  size_t reportStart = output.find("Runtime error ");
  if (result.exitCode == 0) {
    if (reportStart != std::string::npos) return "a report in a normal end";
    if (!output.ends_with(normalEndBytes())) return "a normal end away from the menu";
    return "";
  }
  if (reportStart == std::string::npos) return "no report";
  if (reportStart != output.rfind("Runtime error ")) return "more than one report";
  Report report = reportIn(output);
  if (report.number < 0) return "a malformed report, or bytes after it";
  if (report.number != result.exitCode) {
    return "report number " + std::to_string(report.number) + " with exit code " +
           std::to_string(result.exitCode);
  }
  return "";
}
