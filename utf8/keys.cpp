#include "utf8/keys.hpp"

#include "utf8/utf8_character.hpp"

namespace Keys {

namespace {

constexpr char kEscape = '\x1b';
constexpr std::string_view kPasteEnd = "\x1b[201~";
// No key's sequence is longer; a longer one is line noise.
constexpr size_t kLongestSequence = 32;

// The numbers of a control sequence's parameters, "1;5" or "12;40".
struct Parameters {
  int first = 0;
  int second = 0;
  int count = 0;
};

Parameters parametersOf(std::string_view text) {
  Parameters parameters;
  int* value = &parameters.first;
  for (char c : text) {
    if (c == ';') {
      if (value == &parameters.second) break;
      value = &parameters.second;
      ++parameters.count;
    } else if (c >= '0' && c <= '9' && *value < 100000) {
      *value = *value * 10 + (c - '0');
      if (parameters.count == 0) parameters.count = 1;
    }
  }
  if (parameters.count == 1 && value == &parameters.second) parameters.count = 2;
  return parameters;
}

// The key of a cursor or editing key's final letter (ESC [ A, ESC O A, ...).
std::optional<Key::Kind> cursorKey(char final) {
  switch (final) {
    case 'A': return Key::Kind::up;
    case 'B': return Key::Kind::down;
    case 'C': return Key::Kind::right;
    case 'D': return Key::Kind::left;
    case 'H': return Key::Kind::home;
    case 'F': return Key::Kind::end;
    default: return std::nullopt;
  }
}

// The key of ESC [ n ~.
std::optional<Key::Kind> tildeKey(int number) {
  switch (number) {
    case 1:
    case 7: return Key::Kind::home;
    case 4:
    case 8: return Key::Kind::end;
    case 3: return Key::Kind::deleteForward;
    default: return std::nullopt;
  }
}

}  // namespace

void Reader::feed(std::string_view bytes) {
  pending_.erase(0, taken_);
  taken_ = 0;
  pending_.append(bytes);
}

std::optional<Key> Reader::next() {
  while (holdsPart()) {
    const auto first = static_cast<unsigned char>(rest()[0]);
    Step step = literal_           ? literalKey()
                : pasting_         ? pasted()
                : first == kEscape ? escapeSequence()
                : isControl(first) ? Step{1, Key{Key::Kind::control, first}}
                                   : character(Key::Kind::character);
    if (step.length == 0) break;  // the rest of the key is still to come
    taken_ += step.length;
    if (step.key) return step.key;
  }
  // A pasted block whose end did not come in time ends there: its start
  // alone must not make the keys text for the rest of the session.
  if (givingUp_) pasting_ = false;
  givingUp_ = false;
  return std::nullopt;
}

Reader::Step Reader::literalKey() {
  const auto first = static_cast<unsigned char>(rest()[0]);
  Step step =
      first < 0x80 ? Step{1, Key{Key::Kind::character, first}} : character(Key::Kind::character);
  if (step.length > 0) literal_ = false;
  return step;
}

Reader::Step Reader::character(Key::Kind kind) {
  const Utf8::Decoded decoded = Utf8::decode(rest());
  if (decoded.kind == Utf8::Decoded::Kind::cut && !givingUp_) return {};
  const bool whole = decoded.kind == Utf8::Decoded::Kind::character;
  return {decoded.length, Key{kind, whole ? decoded.character : kReplacement}};
}

Reader::Step Reader::escapeSequence() {
  const std::string_view bytes = rest();
  if (bytes.size() < 2) return givingUp_ ? Step{1, std::nullopt} : Step{};
  if (bytes[1] == '[') return controlSequence();
  if (bytes[1] != 'O') return {1, std::nullopt};  // a lone Escape: dropped
  if (bytes.size() < 3) return givingUp_ ? Step{2, std::nullopt} : Step{};
  const std::optional<Key::Kind> kind = cursorKey(bytes[2]);
  return {3, kind ? std::optional<Key>(Key{*kind}) : std::nullopt};
}

// ESC [, parameters, intermediates and a final byte.
Reader::Step Reader::controlSequence() {
  const std::string_view bytes = rest();
  size_t at = 2;
  while (at < bytes.size() && bytes[at] >= 0x20 && bytes[at] <= 0x3F) ++at;
  // A sequence cut short, or broken by a byte that has no place in it, is
  // left out up to there.
  if (at == bytes.size()) {
    const bool overlong = at > kLongestSequence;
    return givingUp_ || overlong ? Step{at, std::nullopt} : Step{};
  }
  const char final = bytes[at];
  if (final < 0x40 || final > 0x7E) return {at, std::nullopt};
  const size_t length = at + 1;
  const Parameters parameters = parametersOf(bytes.substr(2, at - 2));
  if (final == 'R' && parameters.count == 2) {
    return {length, Key{Key::Kind::cursorReport, 0, parameters.first, parameters.second}};
  }
  if (final == '~') {
    if (parameters.first == 200) pasting_ = true;
    const std::optional<Key::Kind> kind = tildeKey(parameters.first);
    return {length, kind ? std::optional<Key>(Key{*kind}) : std::nullopt};
  }
  const std::optional<Key::Kind> kind = cursorKey(final);
  return {length, kind ? std::optional<Key>(Key{*kind}) : std::nullopt};
}

// Inside a pasted block every character is text and each line end ends a
// line; other control bytes are left out.
Reader::Step Reader::pasted() {
  const auto first = static_cast<unsigned char>(rest()[0]);
  const bool afterCr = pastedCr_;
  pastedCr_ = first == '\r';
  if (first == kEscape) {
    if (rest().starts_with(kPasteEnd)) {
      pasting_ = false;
      return {kPasteEnd.size(), std::nullopt};
    }
    const bool maybeEnd = kPasteEnd.starts_with(rest());
    if (maybeEnd && !givingUp_) {
      pastedCr_ = afterCr;
      return {};
    }
    return {1, std::nullopt};
  }
  if (first == '\r' || (first == '\n' && !afterCr)) return {1, Key{Key::Kind::pastedLineEnd}};
  if (first == '\t') return {1, Key{Key::Kind::character, U' '}};
  if (isControl(first)) return {1, std::nullopt};
  Step step = character(Key::Kind::character);
  if (step.length == 0) pastedCr_ = afterCr;
  return step;
}

}  // namespace Keys
