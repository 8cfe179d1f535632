// The run-time error report at the end of a run's output:
// "Runtime error N at $XXXXXXXX", the same location again, one line per
// caller, an empty line, every line ending in CR LF.
#pragma once

#include <string>
#include <vector>

struct Report {
  std::string textBefore;              // the output that precedes the report
  int number = -1;                     // -1 when no well-formed report ends the output
  std::vector<std::string> locations;  // the first line's, then the callers'
};

// The report that ends the output, if a well-formed one does.
Report reportIn(const std::string& output);
