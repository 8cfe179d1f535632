#include "docs/accuracy/page_tables.hpp"

#include <fstream>
#include <iostream>
#include <sstream>

namespace PageTables {

namespace {

bool fillPage(const std::string& pagePath, const Tables& tables) {
  std::ifstream in(pagePath);
  if (!in) {
    std::cerr << "cannot read " << pagePath << '\n';
    return false;
  }
  const std::string start = "<!-- table: ";
  const std::string end = "<!-- end of table -->";
  std::ostringstream page;
  std::string line;
  int filled = 0;
  bool skipping = false;
  while (std::getline(in, line)) {
    if (skipping && line != end) continue;
    skipping = false;
    page << line << '\n';
    if (line.starts_with(start)) {
      std::string name = line.substr(start.size(), line.find(" -->") - start.size());
      auto table = tables.find(name);
      if (table == tables.end()) continue;
      page << table->second;
      skipping = true;
      ++filled;
    }
  }
  in.close();
  if (filled != static_cast<int>(tables.size())) {
    std::cerr << pagePath << " has " << filled << " of " << tables.size() << " tables\n";
    return false;
  }
  std::ofstream(pagePath) << page.str();
  return true;
}

}  // namespace

bool fill(const std::vector<std::string>& pagePaths,
          const std::function<Tables(Language)>& tablesIn) {
  bool filled = true;
  for (const std::string& pagePath : pagePaths) {
    Language language = pagePath.ends_with(".ja.md") ? Language::japanese : Language::english;
    filled = fillPage(pagePath, tablesIn(language)) && filled;
  }
  return filled;
}

}  // namespace PageTables
