// The table behind display_width.hpp, which make_display_width_table
// writes when the front end is built.
#pragma once

#include <span>

#include "utf8/display_width.hpp"

namespace DisplayWidth::Table {

// Code points of one kind from first up to the next run's first.
struct Run {
  char32_t first;
  Kind kind;
};

// By first code point, from U+0000; the last run goes on to the end.
extern const std::span<const Run> runs;

}  // namespace DisplayWidth::Table
