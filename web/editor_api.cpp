// The page's dialogue with the program, as the front end on a terminal has
// it (utf8/terminal_mode.cpp): the typed line edited by the front end's own
// editor, the signal keys of a terminal, and going back after a run-time
// error, all decided by GoingBack::Runs. The page only carries the bytes
// and keeps the time: it tells what happened (its terminal's keys, the
// program's output, its reads and its end) and asks what to do next
// (editor_next). These functions are what the page calls (editor.js).
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <limits>
#include <string>
#include <string_view>

#include "utf8/going_back.hpp"
#include "utf8/line_editor.hpp"

namespace {

constexpr char kInterruptKey = 0x03;
constexpr char kQuitKey = 0x1C;
constexpr char kSuspendKey = 0x1A;  // Ctrl-Z: a page has no shell to stop to
constexpr char kSignalKeyList[] = {kInterruptKey, kQuitKey, kSuspendKey};
constexpr std::string_view kSignalKeys(kSignalKeyList, sizeof kSignalKeyList);

struct Session {
  explicit Session(int columns) : runs(columns, true) {}

  GoingBack::Runs runs;
  GoingBack::Step step;  // asked for last
  std::string screen;    // the bytes taken last
  std::string line;      // the bytes of the line handed on last
  bool lineCut = false;  // that line was longer than the longest line
};

LineEditing::Editor& editorOf(Session* session) { return session->runs.editor(); }

// The steps the page is asked for: editor_next() answers a step's number,
// its place in this table, and editor_step_name() its name, by which the
// page finds what it does for it (page.js). One table for both sides: a
// step that either side does not know is a fault the page tells.
struct StepName {
  GoingBack::Step::Kind kind;
  const char* name;
};
constexpr std::array kSteps{
    StepName{GoingBack::Step::Kind::startRun, "start a run"},
    StepName{GoingBack::Step::Kind::handOnLine, "hand on a line"},
    StepName{GoingBack::Step::Kind::signalRun, "signal the run"},
    StepName{GoingBack::Step::Kind::wait, "wait"},
    StepName{GoingBack::Step::Kind::end, "end"},
};

int numberOf(GoingBack::Step::Kind kind) {
  const auto* step = std::find_if(kSteps.begin(), kSteps.end(),
                                  [kind](const StepName& each) { return each.kind == kind; });
  return static_cast<int>(step - kSteps.begin());  // past the table: a step without a name
}

// The bytes the program reads of a line: a line with its LF, the end of
// the input none.
std::string bytesOf(const LineEditing::HandedLine& line) {
  switch (line.kind) {
    case LineEditing::HandedLine::Kind::line: return line.codePage932 + '\n';
    case LineEditing::HandedLine::Kind::unended: return line.codePage932;
    case LineEditing::HandedLine::Kind::endOfInput: return {};
  }
  return {};
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE Session* editor_create(int columns) { return new Session(columns); }

EMSCRIPTEN_KEEPALIVE void editor_destroy(Session* session) { delete session; }

// The keys of the page's terminal (UTF-8 and escape sequences). A signal
// key goes to the dialogue as its signal, and the keys after it are
// dropped, as a terminal drops the input it holds; after Ctrl-V it is a
// character like any other.
EMSCRIPTEN_KEEPALIVE void editor_keys(Session* session, const char* bytes, int count) {
  std::string_view rest(bytes, static_cast<size_t>(count));
  while (!rest.empty()) {
    const size_t key = rest.find_first_of(kSignalKeys);
    session->runs.keys(rest.substr(0, key));
    if (key == std::string_view::npos) break;
    const char signalKey = rest[key];
    const bool literal = editorOf(session).takesNextKeyLiterally();
    rest.remove_prefix(key + 1);
    if (literal) {
      session->runs.keys({&signalKey, 1});
    } else if (signalKey != kSuspendKey) {
      session->runs.signal(signalKey == kInterruptKey ? SIGINT : SIGQUIT);
      return;
    }
  }
}

// What the program wrote (code page 932).
EMSCRIPTEN_KEEPALIVE void editor_program_output(Session* session, const char* bytes, int count) {
  session->runs.programOutput({bytes, static_cast<size_t>(count)});
}

// The run under way has read all it was given and waits for a line.
EMSCRIPTEN_KEEPALIVE void editor_program_reads(Session* session) { session->runs.programReads(); }

// The run under way has ended, with the exit code or the signal.
EMSCRIPTEN_KEEPALIVE void editor_program_ended(Session* session, int code, int signal) {
  session->runs.programEnded(Child::Ending{code, signal});
}

// The page's terminal is now this many columns wide.
EMSCRIPTEN_KEEPALIVE void editor_resize(Session* session, int columns) {
  editorOf(session).resize(columns);
}

// What the page does next, the time being now (milliseconds on the page's
// steady clock), as the step's number in the table above: start a run,
// hand on a line (editor_line()), signal the run (editor_signal()), wait
// (until editor_wait_until() at the latest) or end (with
// editor_exit_status()).
EMSCRIPTEN_KEEPALIVE int editor_next(Session* session, double now) {
  session->step = session->runs.next(GoingBack::Time(static_cast<GoingBack::Time::rep>(now)));
  if (session->step.kind == GoingBack::Step::Kind::handOnLine) {
    session->line = bytesOf(session->step.line);
    session->lineCut = session->step.line.cut;
  }
  return numberOf(session->step.kind);
}

// The name of the step numbered so, or none ("") past the last.
EMSCRIPTEN_KEEPALIVE const char* editor_step_name(int step) {
  return step >= 0 && step < static_cast<int>(kSteps.size())
             ? kSteps[static_cast<size_t>(step)].name
             : "";
}

// When to ask again though nothing happened: infinity for never.
EMSCRIPTEN_KEEPALIVE double editor_wait_until(Session* session) {
  const auto& until = session->step.until;
  return until ? static_cast<double>(until->count()) : std::numeric_limits<double>::infinity();
}

// The signal for the run under way: the page ends the run as that signal
// would, and tells editor_program_ended().
EMSCRIPTEN_KEEPALIVE int editor_signal(Session* session) { return session->step.signal; }

// How the dialogue ended: the exit code, or 128 and the signal, as a
// shell tells it.
EMSCRIPTEN_KEEPALIVE int editor_exit_status(Session* session) {
  const Child::Ending ending = session->step.ending;
  return ending.signal != 0 ? 128 + ending.signal : ending.code;
}

// The bytes to draw since the last call (UTF-8 and escape sequences): their
// count, and where they are until the next call.
EMSCRIPTEN_KEEPALIVE int editor_take_screen(Session* session) {
  session->screen = editorOf(session).takeScreen();
  return static_cast<int>(session->screen.size());
}

EMSCRIPTEN_KEEPALIVE const char* editor_screen(Session* session) { return session->screen.data(); }

// The line handed on last, in the bytes the program reads (code page 932):
// where they are, and how many (none at the end of the input).
EMSCRIPTEN_KEEPALIVE const char* editor_line(Session* session) { return session->line.data(); }

EMSCRIPTEN_KEEPALIVE int editor_line_size(Session* session) {
  return static_cast<int>(session->line.size());
}

// Whether the line handed on last was cut at the longest line the program's
// terminal passes whole, and what the page then tells the user, as the
// front end on a terminal does.
EMSCRIPTEN_KEEPALIVE int editor_line_was_cut(Session* session) { return session->lineCut; }

EMSCRIPTEN_KEEPALIVE const char* editor_cut_line_notice() {
  static const std::string notice = LineEditing::cutLineNotice();
  return notice.c_str();
}

}  // extern "C"
