// Fills the generated tables of docs/accuracy.md. Each table stands between
// its marker lines
//   <!-- table: NAME -->
//   <!-- end of table -->
// and is replaced as a whole; the rest of the page is left as written.
#pragma once

#include <cstdio>
#include <map>
#include <string>

namespace PageTables {

// Replaces the tables named in `tables`; tables of other names are kept.
// Fails (with a message on standard error) when the page cannot be read or
// lacks one of the named tables.
bool fill(const std::string& pagePath, const std::map<std::string, std::string>& tables);

// printf into a string.
std::string format(const char* pattern, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

}  // namespace PageTables
