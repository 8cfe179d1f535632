// Fills the generated tables of docs/accuracy.md and docs/accuracy.ja.md. Each table stands between
// its marker lines
//   <!-- table: NAME -->
//   <!-- end of table -->
// and is replaced as a whole; the rest of the page is left as written. Each page gets its tables in
// its own language: Japanese for a page whose name ends in .ja.md, English for any other.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace PageTables {

enum class Language { english, japanese };

// The tables of one language, by name.
using Tables = std::map<std::string, std::string>;

// Replaces the tables named in tablesIn(language) on each page, in the page's language; tables of
// other names are kept. Fails (with a message on standard error) when a page cannot be read or
// lacks one of the named tables.
bool fill(const std::vector<std::string>& pagePaths,
          const std::function<Tables(Language)>& tablesIn);

// The English or the Japanese text.
inline const char* say(Language language, const char* english, const char* japanese) {
  return language == Language::japanese ? japanese : english;
}

// printf into a string.
std::string format(const char* pattern, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

}  // namespace PageTables
