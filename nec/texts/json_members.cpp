#include "nec/texts/json_members.hpp"

#include <cmath>

#include "nec/texts/number_text.hpp"

namespace JsonMembers {

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char byte : text) {
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += byte;
    } else if (static_cast<unsigned char>(byte) < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[(byte >> 4) & 0xF];
      out += kHex[byte & 0xF];
    } else {
      out += byte;  // UTF-8 passes as it is
    }
  }
  return out + "\"";
}

void Members::add(std::string_view name, const std::string& value) {
  if (!text_.empty()) text_ += ",";
  text_ += quoted(name) + ":" + value;
}

void Members::add(std::string_view name, std::optional<double> value) {
  add(name, value && std::isfinite(*value) ? NumberText::shortest(*value) : "null");
}

void Members::add(std::string_view name, std::optional<int> value) {
  add(name, value ? std::to_string(*value) : "null");
}

void Members::add(std::string_view name, bool value) {
  add(name, std::string(value ? "true" : "false"));
}

void Members::addText(std::string_view name, std::string_view value) { add(name, quoted(value)); }

void Elements::add(const std::string& value) {
  if (!text_.empty()) text_ += ",";
  text_ += value;
}

}  // namespace JsonMembers
