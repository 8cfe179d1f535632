#include "nec/measured/touchstone.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "nec/model/decimal_chars.hpp"

namespace Touchstone {
namespace {

enum class Parameter { s, z, y };
enum class Format { ri, ma, db };

// The option line's parts, each its default until the line gives it.
struct Options {
  double hzPerUnit = 1e9;
  Parameter parameter = Parameter::s;
  Format format = Format::ma;
  double referenceOhm = 50.0;
};

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The next word of rest, taken off it; empty at its end.
std::string_view nextWord(std::string_view& rest) {
  rest = trimmed(rest);
  const auto end = std::find_if(rest.begin(), rest.end(), blank);
  const std::string_view word = rest.substr(0, static_cast<size_t>(end - rest.begin()));
  rest.remove_prefix(word.size());
  return word;
}

bool sameWord(std::string_view word, std::string_view lower) {
  return std::equal(word.begin(), word.end(), lower.begin(), lower.end(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

// A finite number taking the whole word, which may start with a '+'.
std::optional<double> numberOf(std::string_view word) {
  if (word.size() > 1 && word.front() == '+' && word[1] != '-') word.remove_prefix(1);
  const char* end = word.data() + word.size();
  double value = 0.0;
  if (word.empty() || DecimalChars::read(word.data(), end, value) != end) return {};
  if (!std::isfinite(value)) return {};
  return value;
}

// Sets the part a word of the option line names; false for no part.
bool setPart(Options& options, std::string_view word) {
  constexpr std::pair<std::string_view, double> units[] = {
      {"hz", 1.0}, {"khz", 1e3}, {"mhz", 1e6}, {"ghz", 1e9}};
  constexpr std::pair<std::string_view, Parameter> parameters[] = {
      {"s", Parameter::s}, {"z", Parameter::z}, {"y", Parameter::y}};
  constexpr std::pair<std::string_view, Format> formats[] = {
      {"ri", Format::ri}, {"ma", Format::ma}, {"db", Format::db}};
  const auto set = [&](const auto& table, auto& part) {
    for (const auto& [name, value] : table) {
      if (!sameWord(word, name)) continue;
      part = value;
      return true;
    }
    return false;
  };
  return set(units, options.hzPerUnit) || set(parameters, options.parameter) ||
         set(formats, options.format);
}

// The option line after its '#'.
std::optional<Error> readOptions(std::string_view rest, int line, Options& options) {
  for (std::string_view word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
    if (setPart(options, word)) continue;
    if (!sameWord(word, "r")) return Error{Problem::unknownOption, line, std::string(word)};
    const std::string_view resistance = nextWord(rest);
    const std::optional<double> ohm = numberOf(resistance);
    if (!ohm || *ohm <= 0.0) {
      return Error{Problem::badReference, line,
                   std::string(resistance.empty() ? word : resistance)};
    }
    options.referenceOhm = *ohm;
  }
  return {};
}

// The pair of numbers as the format gives it, angles in degrees.
std::complex<double> valueOf(Format format, double first, double second) {
  if (format == Format::ri) return {first, second};
  const double magnitude = format == Format::db ? std::pow(10.0, first / 20.0) : first;
  const double angle = second * std::numbers::pi / 180.0;
  return {magnitude * std::cos(angle), magnitude * std::sin(angle)};
}

// The impedance in ohms that the normalised value gives.
std::complex<double> impedanceOf(const Options& options, std::complex<double> value) {
  const double r = options.referenceOhm;
  switch (options.parameter) {
    case Parameter::s: return r * (1.0 + value) / (1.0 - value);
    case Parameter::z: return r * value;
    case Parameter::y: return r / value;
  }
  return value;
}

// A data line (a frequency and two numbers) into its point.
std::variant<Point, Error> readPoint(std::string_view content, int line, const Options& options) {
  std::string_view rest = content;
  double numbers[3] = {};
  for (double& number : numbers) {
    const std::string_view word = nextWord(rest);
    if (word.empty()) return Error{Problem::notOnePort, line, std::string(content)};
    const std::optional<double> read = numberOf(word);
    if (!read) return Error{Problem::notANumber, line, std::string(word)};
    number = *read;
  }
  if (!nextWord(rest).empty()) return Error{Problem::notOnePort, line, std::string(content)};
  const double frequencyHz = numbers[0] * options.hzPerUnit;
  if (!(frequencyHz > 0.0)) return Error{Problem::frequencyNotPositive, line, std::string(content)};
  const std::complex<double> impedance =
      impedanceOf(options, valueOf(options.format, numbers[1], numbers[2]));
  if (!std::isfinite(impedance.real()) || !std::isfinite(impedance.imag())) {
    return Error{Problem::noImpedance, line, std::string(content)};
  }
  return Point{frequencyHz, impedance};
}

// The points in ascending frequency, the last one given for each.
OnePort ordered(std::vector<Point> points, double referenceOhm) {
  const auto below = [](const Point& a, const Point& b) { return a.frequencyHz < b.frequencyHz; };
  const bool sorted = !std::is_sorted(points.begin(), points.end(), below);
  if (sorted) std::stable_sort(points.begin(), points.end(), below);
  size_t kept = 0;
  for (const Point& point : points) {
    if (kept > 0 && points[kept - 1].frequencyHz == point.frequencyHz) {
      points[kept - 1] = point;
    } else {
      points[kept++] = point;
    }
  }
  const int repeated = static_cast<int>(points.size() - kept);
  points.resize(kept);
  return {std::move(points), referenceOhm, sorted, repeated};
}

}  // namespace

std::variant<OnePort, Error> read(std::string_view text) {
  Options options;
  bool optionsRead = false;
  std::vector<Point> points;
  int line = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string_view content = text.substr(at, end - at);
    at = end + 1;
    ++line;
    content = trimmed(content.substr(0, content.find('!')));
    if (content.empty()) continue;
    if (content.front() == '[')
      return Error{Problem::versionTwoKeyword, line, std::string(content)};
    if (content.front() != '#') {
      std::variant<Point, Error> point = readPoint(content, line, options);
      if (auto* error = std::get_if<Error>(&point)) return std::move(*error);
      points.push_back(std::get<Point>(point));
    } else if (!points.empty()) {
      return Error{Problem::optionAfterData, line, std::string(content)};
    } else if (!optionsRead) {
      optionsRead = true;
      if (auto error = readOptions(content.substr(1), line, options)) return std::move(*error);
    }
  }
  if (points.empty()) return Error{Problem::noData, line + 1, ""};
  return ordered(std::move(points), options.referenceOhm);
}

}  // namespace Touchstone
