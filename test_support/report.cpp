#include "test_support/report.hpp"

#include <regex>

Report reportIn(const std::string& output) {
  static const std::regex form(
      "Runtime error ([1-9][0-9]*) at \\$([0-9A-F]{8})\r\n  \\$\\2\r\n"
      "((?:  \\$[0-9A-F]{8}\r\n)+)\r\n");
  static const std::regex callerLine("  \\$([0-9A-F]{8})\r\n");
  Report report;
  size_t start = output.rfind("Runtime error ");
  if (start == std::string::npos) return report;
  std::smatch match;
  std::string tail = output.substr(start);
  if (!std::regex_match(tail, match, form)) return report;
  report.textBefore = output.substr(0, start);
  report.number = std::stoi(match[1].str());
  report.locations.push_back(match[2].str());
  std::string callers = match[3].str();
  for (std::sregex_iterator line(callers.begin(), callers.end(), callerLine), end; line != end;
       ++line) {
    report.locations.push_back((*line)[1].str());
  }
  return report;
}
