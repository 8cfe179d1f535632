#include "utf8/display_width.hpp"

#include <algorithm>

#include "utf8/display_width_table.hpp"

namespace DisplayWidth {

namespace {

// The classic algorithm, not the ranges one: the web build's C++ library
// has not got that.
bool before(char32_t c, const Table::Run& run) { return c < run.first; }

}  // namespace

Kind of(char32_t c) {
  const auto after = std::upper_bound(Table::runs.begin(), Table::runs.end(), c, before);
  return (after - 1)->kind;
}

}  // namespace DisplayWidth
