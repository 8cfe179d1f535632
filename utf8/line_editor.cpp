#include "utf8/line_editor.hpp"

#include <algorithm>
#include <csignal>

#include "utf8/code_page_932.hpp"
#include "utf8/display_width.hpp"
#include "utf8/utf8_character.hpp"

namespace LineEditing {

using Keys::isControl;
using Keys::Key;

namespace {

constexpr int kAssumedColumns = 80;
constexpr size_t kHistoryLength = 100;
// A question longer than this is not drawn again after Ctrl-Z.
constexpr size_t kLongestQuestion = 4096;

constexpr std::string_view kAskForCursor = "\x1b[6n";
constexpr std::string_view kClearToEnd = "\x1b[J";

// The full-width forms of what answers are made of, as the Japanese input
// method types them, and their half-width forms. The number prefixes of
// other number syntaxes (＄ ％ ＆) stay as typed.
char32_t folded(char32_t code) {
  if (code >= U'０' && code <= U'９') return U'0' + (code - U'０');
  switch (code) {
    case U'．':
    case U'。': return U'.';
    case U'＋': return U'+';
    case U'－':
    case U'ー':
    case U'−': return U'-';
    case U'Ｅ': return U'E';
    case U'ｅ': return U'e';
    case U'Ｙ': return U'Y';
    case U'ｙ': return U'y';
    case U'Ｎ': return U'N';
    case U'ｎ': return U'n';
    case U'　': return U' ';
    default: return code;
  }
}

// Appends the character in code page 932, folded; one substitute where the
// code page has no form for it.
void appendCodePage932(char32_t code, std::string& out) {
  if (!CodePage932::appendCode(folded(code), out)) out += Conversion::kSubstitute;
}

size_t codePage932Length(std::u32string_view text) {
  std::string bytes;
  for (char32_t code : text) appendCodePage932(code, bytes);
  return bytes.size();
}

bool isBlank(char32_t code) { return code == U' ' || code == U'　'; }

void appendMove(int count, char direction, std::string& out) {
  if (count == 0) return;
  out += "\x1b[";
  out += std::to_string(count);
  out += direction;
}

}  // namespace

Editor::Editor(int columns, bool echo)
    : columns_(columns > 0 ? columns : kAssumedColumns), echo_(echo) {}

void Editor::keys(std::string_view bytes) {
  reader_.feed(bytes);
  while (std::optional<Key> key = reader_.next()) {
    if (key->kind == Key::Kind::cursorReport) {
      if (asked_) takeCursorReport(*key);
      continue;
    }
    if (asked_) {
      keysWhileAsked_.push_back(*key);
      continue;
    }
    if (echo_ && !drawn_ && line_.empty() && !startKnown_ && !askedSinceOutput_) {
      askForColumn();
      keysWhileAsked_.push_back(*key);
      continue;
    }
    press(*key);
  }
}

void Editor::programOutput(std::string_view bytes) {
  converted_.clear();
  shown_.convert(bytes, converted_);
  showOutput();
}

void Editor::show(std::string_view text) {
  converted_.assign(text);
  showOutput();
}

void Editor::offer(std::u32string_view text) {
  takeLineOffScreen();
  line_.assign(text);
  lineLength_ = codePage932Length(line_);
  cursor_ = line_.size();
  drawFrom(0);
}

void Editor::programEnded() {
  converted_.clear();
  shown_.flush(converted_);
  showOutput();
  takeLineOffScreen();
}

void Editor::showOutput() {
  if (converted_.empty()) return;
  const bool wasDrawn = drawn_;
  takeLineOffScreen();
  screen_ += converted_;
  trackOutput(converted_);
  outputSinceAsked_ = true;
  askedSinceOutput_ = false;
  if (wasDrawn) drawFrom(0);
}

void Editor::resize(int columns) {
  takeLineOffScreen();
  columns_ = columns > 0 ? columns : kAssumedColumns;
  startColumn_ = std::min(startColumn_, columns_);
  drawFrom(0);
}

void Editor::timeOut() {
  if (asked_) {
    asked_ = false;
    replayKeysWhileAsked();
  }
  reader_.giveUpPart();
  keys({});
}

void Editor::suspend() {
  suspended_ = true;
  if (!echo_) return;
  if (drawn_) moveCursor(cursorPlace_, placeAfter(line_.size()));
  screen_ += "^Z";
  drawn_ = false;
}

void Editor::resume() {
  suspended_ = false;
  if (!echo_) return;
  // A question whose answer goes on the line below is the line before.
  if (question_.empty() && !lineBefore_.empty()) screen_ += lineBefore_ + "\r\n";
  screen_ += question_;
  startColumn_ = 0;
  std::string question;
  question.swap(question_);
  trackOutput(question);
  drawFrom(0);
}

void Editor::interrupt(int signal) {
  if (echo_) {
    if (drawn_) moveCursor(cursorPlace_, placeAfter(line_.size()));
    screen_ += signal == SIGINT ? "^C" : signal == SIGQUIT ? "^\\" : "";
  }
  line_.clear();
  lineLength_ = 0;
  cursor_ = 0;
  drawn_ = false;
  handed_.clear();
  keysWhileAsked_.clear();
}

std::string Editor::takeScreen() {
  std::string screen;
  screen.swap(screen_);
  return screen;
}

void Editor::press(const Key& key) {
  switch (key.kind) {
    case Key::Kind::character: insert(key.code); break;
    case Key::Kind::control: pressControl(key.code); break;
    case Key::Kind::left: moveTo(cursor_ > 0 ? cursor_ - 1 : 0); break;
    case Key::Kind::right: moveTo(std::min(cursor_ + 1, line_.size())); break;
    case Key::Kind::home: moveTo(0); break;
    case Key::Kind::end: moveTo(line_.size()); break;
    case Key::Kind::up: recall(-1); break;
    case Key::Kind::down: recall(1); break;
    case Key::Kind::deleteForward: erase(cursor_, std::min(cursor_ + 1, line_.size())); break;
    case Key::Kind::pastedLineEnd: handOn(HandedLine::Kind::line); break;
    case Key::Kind::cursorReport: break;
  }
}

void Editor::pressControl(char32_t code) {
  switch (code) {
    case 0x01: moveTo(0); break;                    // Ctrl-A
    case 0x02: press(Key{Key::Kind::left}); break;  // Ctrl-B
    case 0x04:                                      // Ctrl-D
      handOn(line_.empty() ? HandedLine::Kind::endOfInput : HandedLine::Kind::unended);
      break;
    case 0x05: moveTo(line_.size()); break;                           // Ctrl-E
    case 0x06: press(Key{Key::Kind::right}); break;                   // Ctrl-F
    case 0x08:                                                        // Ctrl-H
    case 0x7F: erase(cursor_ > 0 ? cursor_ - 1 : 0, cursor_); break;  // Backspace
    case 0x0A:                                                        // Ctrl-J
    case 0x0D: handOn(HandedLine::Kind::line); break;                 // Return
    case 0x0B: erase(cursor_, line_.size()); break;                   // Ctrl-K
    case 0x0C:                                                        // Ctrl-L
      takeLineOffScreen();
      drawFrom(0);
      break;
    case 0x0E: recall(1); break;                    // Ctrl-N
    case 0x10: recall(-1); break;                   // Ctrl-P
    case 0x15: erase(0, cursor_); break;            // Ctrl-U
    case 0x16: reader_.takeNextLiterally(); break;  // Ctrl-V
    case 0x17: eraseWord(); break;                  // Ctrl-W
    default: break;
  }
}

void Editor::insert(char32_t code) {
  const size_t length = codePage932Length({&code, 1});
  if (lineLength_ + length > kLongestLine) {
    cut_ = true;
    return;
  }
  lineLength_ += length;
  line_.insert(cursor_, 1, code);
  ++cursor_;
  drawFrom(cursor_ - 1);
}

void Editor::erase(size_t from, size_t to) {
  if (from == to) return;
  lineLength_ -= codePage932Length(std::u32string_view(line_).substr(from, to - from));
  line_.erase(from, to - from);
  cursor_ = from;
  drawFrom(from);
}

// The blanks before the cursor, then the word before them.
void Editor::eraseWord() {
  size_t from = cursor_;
  while (from > 0 && isBlank(line_[from - 1])) --from;
  while (from > 0 && !isBlank(line_[from - 1])) --from;
  erase(from, cursor_);
}

void Editor::moveTo(size_t position) {
  cursor_ = position;
  if (!drawn_) return;
  const Place to = placeAfter(cursor_);
  moveCursor(cursorPlace_, to);
  cursorPlace_ = to;
}

void Editor::recall(int step) {
  const size_t count = history_.size();
  if ((step < 0 && recalled_ == 0) || (step > 0 && recalled_ >= count)) return;
  if (recalled_ == count) typedBeforeRecall_ = line_;
  recalled_ = step < 0 ? recalled_ - 1 : recalled_ + 1;
  line_ = recalled_ == count ? typedBeforeRecall_ : history_[recalled_];
  lineLength_ = codePage932Length(line_);
  cursor_ = line_.size();
  takeLineOffScreen();
  drawFrom(0);
}

void Editor::handOn(HandedLine::Kind kind) {
  HandedLine handed{kind, {}, cut_, line_};
  for (char32_t code : line_) appendCodePage932(code, handed.codePage932);
  if (echo_ && kind != HandedLine::Kind::endOfInput) {
    if (drawn_) moveCursor(cursorPlace_, placeAfter(line_.size()));
    if (kind == HandedLine::Kind::line) {
      screen_ += "\r\n";
      startColumn_ = 0;
      startKnown_ = true;
      question_.clear();
    } else {
      // The line stays on the screen as the start of whatever follows.
      startColumn_ = drawn_ ? placeAfter(line_.size()).column : startColumn_;
      for (char32_t code : line_) Utf8::encode(code, question_);
    }
  }
  if (kind == HandedLine::Kind::line && !line_.empty() &&
      (history_.empty() || history_.back() != line_)) {
    if (history_.size() == kHistoryLength) history_.erase(history_.begin());
    history_.push_back(line_);
  }
  line_.clear();
  lineLength_ = 0;
  cursor_ = 0;
  drawn_ = false;
  cut_ = false;
  recalled_ = history_.size();
  handed_.push_back(std::move(handed));
}

void Editor::askForColumn() {
  screen_ += kAskForCursor;
  asked_ = true;
  askedSinceOutput_ = true;
  outputSinceAsked_ = false;
}

// The terminal's answer: where the output stopped, and so whether the
// characters of ambiguous width since its last line end took two columns.
void Editor::takeCursorReport(const Key& report) {
  asked_ = false;
  if (!outputSinceAsked_) {
    const int column = std::clamp(report.column - 1, 0, columns_ - 1);
    if (ambiguousWidth_ == 1 && ambiguousSinceLineStart_ > 0 &&
        column == startColumn_ + ambiguousSinceLineStart_) {
      ambiguousWidth_ = 2;
    }
    startColumn_ = column;
    startKnown_ = true;
  }
  replayKeysWhileAsked();
}

void Editor::replayKeysWhileAsked() {
  std::vector<Key> keys;
  keys.swap(keysWhileAsked_);
  for (const Key& key : keys) press(key);
}

// Control characters are shown as ^ and a letter, as terminals echo them.
int Editor::width(char32_t code) const {
  if (isControl(code)) return 2;
  switch (DisplayWidth::of(code)) {
    case DisplayWidth::Kind::zero: return 0;
    case DisplayWidth::Kind::narrow: return 1;
    case DisplayWidth::Kind::wide: return 2;
    case DisplayWidth::Kind::ambiguous: return ambiguousWidth_;
  }
  return 1;
}

// A character that does not fit in the rest of a row starts the next one; a
// row filled to the edge moves the cursor to the next row's start at once,
// so that the cursor's place never depends on how a terminal waits to wrap.
Editor::Place Editor::advance(Place place, int characterWidth) const {
  if (place.column + characterWidth > columns_) place = {place.row + 1, 0};
  place.column += characterWidth;
  if (place.column >= columns_) place = {place.row + 1, 0};
  return place;
}

Editor::Place Editor::placeAfter(size_t count) const {
  Place place{0, startColumn_};
  for (size_t i = 0; i < count; ++i) place = advance(place, width(line_[i]));
  return place;
}

void Editor::moveCursor(Place from, Place to) {
  if (to.row < from.row) appendMove(from.row - to.row, 'A', screen_);
  if (to.row > from.row) appendMove(to.row - from.row, 'B', screen_);
  if (to.column < from.column) appendMove(from.column - to.column, 'D', screen_);
  if (to.column > from.column) appendMove(to.column - from.column, 'C', screen_);
}

// Takes the line off the screen; the cursor goes back to where it starts.
void Editor::takeLineOffScreen() {
  if (!drawn_) return;
  moveCursor(cursorPlace_, {0, startColumn_});
  screen_ += kClearToEnd;
  drawn_ = false;
}

// Draws the line from its character at index on, then puts the cursor in
// place. Characters typed at the end of the line are drawn alone.
void Editor::drawFrom(size_t index) {
  if (!echo_ || suspended_) return;
  // What follows the line's start is blank when it is drawn afresh, and so
  // is what follows a character typed at the end.
  bool blankBehind = index + 1 == line_.size() && cursor_ == line_.size();
  if (!drawn_) {
    if (line_.empty()) return;
    if (startColumn_ >= columns_) {  // the output filled its row to the edge
      screen_ += "\r\n";
      startColumn_ = 0;
    }
    index = 0;
    cursorPlace_ = {0, startColumn_};
    drawn_ = true;
    blankBehind = true;
  }
  Place place = placeAfter(index);
  moveCursor(cursorPlace_, place);
  if (!blankBehind) screen_ += kClearToEnd;
  for (size_t i = index; i < line_.size(); ++i) {
    const int characterWidth = width(line_[i]);
    const Place next = advance(place, characterWidth);
    if (place.column + characterWidth > columns_) screen_ += "\r\n";
    drawCharacter(line_[i]);
    if (next.column == 0 && next.row > place.row) screen_ += "\r\n";
    place = next;
  }
  if (line_.empty()) {
    drawn_ = false;
    return;
  }
  const Place cursor = placeAfter(cursor_);
  moveCursor(place, cursor);
  cursorPlace_ = cursor;
}

void Editor::drawCharacter(char32_t code) {
  if (isControl(code)) {
    screen_ += '^';
    screen_ += static_cast<char>(code ^ 0x40);
    return;
  }
  Utf8::encode(code, screen_);
}

// Follows the cursor through the program's output, as the terminal moves it.
void Editor::trackOutput(std::string_view text) {
  while (!text.empty()) {
    const Utf8::Decoded decoded = Utf8::decode(text);
    const char32_t code = decoded.character;
    if (code == U'\r' || code == U'\n') {
      startColumn_ = 0;
      if (code == U'\n') {
        startKnown_ = true;
        ambiguousSinceLineStart_ = 0;
        lineBefore_.swap(question_);
        question_.clear();
      }
    } else if (code == U'\b') {
      startColumn_ = std::max(startColumn_ - 1, 0);
    } else if (code == U'\t') {
      startColumn_ = std::min((startColumn_ / 8 + 1) * 8, columns_ - 1);
    } else if (isControl(code)) {
      startKnown_ = false;  // a control sequence: where the cursor went is unknown
    } else {
      if (DisplayWidth::of(code) == DisplayWidth::Kind::ambiguous) {
        ++ambiguousSinceLineStart_;
        if (ambiguousWidth_ == 1) startKnown_ = false;
      }
      const int characterWidth = width(code);
      if (startColumn_ + characterWidth > columns_) startColumn_ = 0;
      startColumn_ += characterWidth;
    }
    if (!isControl(code) && question_.size() < kLongestQuestion) {
      question_.append(text.substr(0, decoded.length));
    }
    text.remove_prefix(decoded.length);
  }
}

}  // namespace LineEditing
