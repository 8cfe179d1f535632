// Writes the table of display_width_table.hpp from the Unicode character
// database: each code point's East Asian width (EastAsianWidth.txt), and
// which take no column by their general category (UnicodeData.txt). It runs
// on the build machine.
// Usage: make_display_width_table EastAsianWidth.txt UnicodeData.txt OUTPUT.cpp
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "utf8/display_width.hpp"

namespace {

using DisplayWidth::Kind;

constexpr char32_t kCodePoints = 0x110000;
constexpr const char* kKindNames[] = {"zero", "narrow", "wide", "ambiguous"};

// The kind of each code point.
using Kinds = std::vector<Kind>;
using Range = std::pair<char32_t, char32_t>;

void mark(Kinds& kinds, Range range, Kind kind) {
  std::fill(kinds.begin() + range.first, kinds.begin() + range.second + 1, kind);
}

// A line's fields between semicolons, blanks and comment taken off.
std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> found;
  std::istringstream text(line.substr(0, line.find('#')));
  for (std::string field; std::getline(text, field, ';');) {
    const size_t start = field.find_first_not_of(' ');
    const size_t end = field.find_last_not_of(' ');
    found.push_back(start == std::string::npos ? "" : field.substr(start, end - start + 1));
  }
  return found;
}

// "XXXX" or "XXXX..YYYY", in hexadecimal.
std::optional<Range> codePoints(const std::string& field) {
  unsigned first = 0;
  unsigned last = 0;
  char dots[3] = {};
  const int read = std::sscanf(field.c_str(), "%x%2c%x", &first, dots, &last);
  if (read == 1) last = first;
  if ((read != 1 && (read != 3 || std::string(dots) != "..")) || first > last ||
      last >= kCodePoints) {
    return std::nullopt;
  }
  return Range{first, last};
}

std::optional<Kind> eastAsianKind(const std::string& width) {
  if (width == "W" || width == "F") return Kind::wide;
  if (width == "H" || width == "Na" || width == "N") return Kind::narrow;
  if (width == "A") return Kind::ambiguous;
  return std::nullopt;
}

bool refuse(const char* file, const std::string& line) {
  std::fprintf(stderr, "make_display_width_table: %s: cannot read the line \"%s\"\n", file,
               line.c_str());
  return false;
}

bool readEastAsianWidths(const char* file, Kinds& kinds) {
  std::ifstream in(file);
  if (!in) return refuse(file, "");
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> field = fields(line);
    if (field.empty() || (field.size() == 1 && field[0].empty())) continue;
    const std::optional<Range> range = field.size() == 2 ? codePoints(field[0]) : std::nullopt;
    const std::optional<Kind> kind = range ? eastAsianKind(field[1]) : std::nullopt;
    if (!kind) return refuse(file, line);
    mark(kinds, *range, *kind);
  }
  return true;
}

// Combining marks and format characters take no column. The file lists
// large blocks as a line for their first code point and one for their last.
bool readZeroWidths(const char* file, Kinds& kinds) {
  std::ifstream in(file);
  if (!in) return refuse(file, "");
  char32_t blockFirst = 0;
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> field = fields(line);
    const std::optional<Range> range = field.size() > 2 ? codePoints(field[0]) : std::nullopt;
    if (!range) return refuse(file, line);
    if (field[1].ends_with(", First>")) blockFirst = range->first;
    const char32_t first = field[1].ends_with(", Last>") ? blockFirst : range->first;
    const std::string& category = field[2];
    if (category == "Mn" || category == "Me" || category == "Cf") {
      mark(kinds, {first, range->second}, Kind::zero);
    }
  }
  return true;
}

void markDefaults(Kinds& kinds) {
  // Unassigned code points in the ideographs' blocks and planes are wide,
  // as EastAsianWidth.txt's header says; all others narrow.
  for (Range block : {Range{0x3400, 0x4DBF}, Range{0x4E00, 0x9FFF}, Range{0xF900, 0xFAFF},
                      Range{0x20000, 0x2FFFD}, Range{0x30000, 0x3FFFD}}) {
    mark(kinds, block, Kind::wide);
  }
}

void markOwnZeroWidths(Kinds& kinds) {
  // The vowels and final consonants of Hangul syllables made of letters,
  // which join the lead consonant's cell; the zero width space.
  mark(kinds, {0x1160, 0x11FF}, Kind::zero);
  mark(kinds, {0x200B, 0x200B}, Kind::zero);
  // The editor shows control characters its own way.
  mark(kinds, {0x00, 0x1F}, Kind::zero);
  mark(kinds, {0x7F, 0x9F}, Kind::zero);
}

void writeRuns(std::ostream& out, const Kinds& kinds) {
  out << std::hex;
  size_t written = 0;
  for (char32_t c = 0; c < kCodePoints; ++c) {
    if (c > 0 && kinds[c] == kinds[c - 1]) continue;
    out << (written++ % 4 == 0 ? "\n    " : " ") << "{0x" << static_cast<unsigned>(c)
        << ", Kind::" << kKindNames[static_cast<int>(kinds[c])] << "},";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: make_display_width_table EastAsianWidth.txt UnicodeData.txt OUTPUT.cpp\n");
    return 2;
  }
  Kinds kinds(kCodePoints, Kind::narrow);
  markDefaults(kinds);
  if (!readEastAsianWidths(argv[1], kinds) || !readZeroWidths(argv[2], kinds)) return 1;
  markOwnZeroWidths(kinds);
  std::ostringstream table;
  table << "// Made by make_display_width_table from the Unicode character database.\n"
        << "#include \"utf8/display_width_table.hpp\"\n\n"
        << "namespace DisplayWidth::Table {\nnamespace {\n\n"
        << "constexpr Run kRuns[] = {";
  writeRuns(table, kinds);
  table << "\n};\n\n}  // namespace\n\n"
        << "const std::span<const Run> runs{kRuns};\n\n"
        << "}  // namespace DisplayWidth::Table\n";
  std::ofstream(argv[3]) << table.str();
  return 0;
}
