// Fills the generated tables of docs/accuracy.md and docs/accuracy.ja.md. Each table stands between
// its marker lines
//   <!-- table: NAME -->
//   <!-- end of table -->
// and is replaced as a whole; the rest of the page is left as written.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace PageTables {

// Replaces the tables named in `tables` on each page; tables of other names
// are kept. Fails (with a message on standard error) when a page cannot be
// read or lacks one of the named tables.
bool fill(const std::vector<std::string>& pagePaths,
          const std::map<std::string, std::string>& tables);

// printf into a string.
std::string format(const char* pattern, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

}  // namespace PageTables
