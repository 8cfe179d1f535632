#include "nec/input/design_link.hpp"

#include <optional>
#include <string>

namespace DesignLink {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%2E" as ".": a "%" without two hexadecimal digits stays as it is, and
// the value that holds it is then refused as written.
std::string percentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '%' && i + 2 < text.size();
    const int high = escape ? hexDigit(text[i + 1]) : -1;
    const int low = escape ? hexDigit(text[i + 2]) : -1;
    if (high < 0 || low < 0) {
      out += text[i];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::optional<DesignValues::Error> setPart(DesignValues::Values& values, std::string_view part) {
  const std::size_t equals = part.find('=');
  const std::string name = percentDecoded(part.substr(0, equals));
  if (equals == part.npos) return DesignValues::setWritten(values, name, std::nullopt);
  return DesignValues::setWritten(values, name, percentDecoded(part.substr(equals + 1)));
}

}  // namespace

std::variant<DesignValues::Values, DesignValues::Error> read(std::string_view link) {
  DesignValues::Values values;
  while (!link.empty()) {
    const std::size_t end = link.find('&');
    const std::string_view part = link.substr(0, end);
    if (!part.empty()) {
      if (std::optional<DesignValues::Error> error = setPart(values, part)) return *error;
    }
    link = end == link.npos ? std::string_view{} : link.substr(end + 1);
  }
  if (std::optional<DesignValues::Error> error = DesignValues::checkTogether(values)) return *error;
  if (std::optional<DesignValues::Error> error = DesignValues::checkValues(values)) return *error;
  return values;
}

}  // namespace DesignLink
