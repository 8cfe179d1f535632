#include "utf8/display_width.hpp"

#include <algorithm>

#include "utf8/display_width_table.hpp"

namespace DisplayWidth {

Kind of(char32_t c) {
  const auto after = std::ranges::upper_bound(Table::runs, c, {}, &Table::Run::first);
  return (after - 1)->kind;
}

}  // namespace DisplayWidth
