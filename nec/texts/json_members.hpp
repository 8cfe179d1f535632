// The pieces of tanshuku-nec's JSON: an object's members and an array's
// elements, each written comma-separated as they are added, numbers in
// their shortest text and null where a figure is absent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace JsonMembers {

// A string's text in quotes, with what JSON escapes escaped.
std::string quoted(std::string_view text);

class Members {
 public:
  // A member whose value is JSON text already (an object, an array).
  void add(std::string_view name, const std::string& value);
  // null where absent or not finite.
  void add(std::string_view name, std::optional<double> value);
  void add(std::string_view name, double value) { add(name, std::optional<double>(value)); }
  void add(std::string_view name, std::optional<int> value);
  void add(std::string_view name, bool value);
  void addText(std::string_view name, std::string_view value);
  std::string object() const { return "{" + text_ + "}"; }

 private:
  std::string text_;
};

class Elements {
 public:
  // An element that is JSON text already.
  void add(const std::string& value);
  std::string array() const { return "[" + text_ + "]"; }

 private:
  std::string text_;
};

}  // namespace JsonMembers
