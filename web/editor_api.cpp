// The page's dialogue with the program, as the front end on a terminal has
// it (utf8/terminal_mode.cpp): the typed line edited by the front end's own
// editor, the signal keys of a terminal, and going back after a run-time
// error. The page carries the bytes: the keys of its terminal in, the
// screen out, the program's output in and its input lines out. These
// functions are what the page calls (editor.js).
#include <emscripten.h>

#include <optional>
#include <string>
#include <string_view>

#include "utf8/going_back.hpp"
#include "utf8/line_editor.hpp"

namespace {

// The signals that a terminal's keys send, numbered as on Linux.
constexpr int kInterrupt = 2;  // Ctrl-C
constexpr int kQuit = 3;       // Ctrl-\.

constexpr char kInterruptKey = 0x03;
constexpr char kQuitKey = 0x1C;
constexpr char kSuspendKey = 0x1A;  // Ctrl-Z: a page has no shell to stop to
constexpr char kSignalKeyList[] = {kInterruptKey, kQuitKey, kSuspendKey};
constexpr std::string_view kSignalKeys(kSignalKeyList, sizeof kSignalKeyList);

// What editor_state() answers, as GoingBack::Runs::State.
constexpr int kFinished = static_cast<int>(GoingBack::Runs::State::finished);
// What editor_next_line() answers while no line is to be handed on.
constexpr int kNoLine = -1;

struct Session {
  explicit Session(int columns) : runs(columns, true) {}

  GoingBack::Runs runs;
  // A signal key ended the page's dialogue while no run was under way.
  std::optional<Child::Ending> endedBySignal;
  std::string screen;  // the bytes taken last
  std::string line;    // the bytes of the line handed on last
};

LineEditing::Editor& editorOf(Session* session) { return session->runs.editor(); }

bool running(const Session* session) {
  return session->runs.state() == GoingBack::Runs::State::running;
}

// A signal key, shown as a terminal shows it, drops the typed lines not
// yet handed on and ends the run of the program under way (the program
// dies of the signal); while the user is asked whether to go back, it
// ends the dialogue.
int pressSignalKey(Session* session, char key) {
  const int signal = key == kInterruptKey ? kInterrupt : kQuit;
  editorOf(session).interrupt(key == kInterruptKey ? "^C" : "^\\");
  if (running(session)) {
    session->runs.programEnded(Child::Ending{0, signal});
  } else {
    session->endedBySignal = Child::Ending{0, signal};
  }
  return signal;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE Session* editor_create(int columns) { return new Session(columns); }

EMSCRIPTEN_KEEPALIVE void editor_destroy(Session* session) { delete session; }

// The keys of the page's terminal (UTF-8 and escape sequences). Returns
// the signal that a signal key sent, 0 when none did: the page then gives
// up the run of the program under way. The keys after a signal key are
// dropped, as a terminal drops the input it holds.
EMSCRIPTEN_KEEPALIVE int editor_keys(Session* session, const char* bytes, int count) {
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
      return pressSignalKey(session, signalKey);
    }
  }
  return 0;
}

// What the program wrote (code page 932).
EMSCRIPTEN_KEEPALIVE void editor_program_output(Session* session, const char* bytes, int count) {
  session->runs.programOutput({bytes, static_cast<size_t>(count)});
}

// The run under way has ended, with the exit code or the signal.
EMSCRIPTEN_KEEPALIVE void editor_program_ended(Session* session, int code, int signal) {
  session->runs.programEnded(Child::Ending{code, signal});
}

// The program was started again, as editor_state() asked.
EMSCRIPTEN_KEEPALIVE void editor_program_started(Session* session) {
  session->runs.programStarted();
}

EMSCRIPTEN_KEEPALIVE void editor_resize(Session* session, int columns) {
  editorOf(session).resize(columns);
}

// Whether the rest of a key, or the terminal's answer to the question for
// the cursor's column, is awaited; and that it did not come in time.
EMSCRIPTEN_KEEPALIVE int editor_awaits_more(Session* session) {
  return editorOf(session).awaitsMore() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void editor_time_out(Session* session) { editorOf(session).timeOut(); }

// Whether answers of the run gone back from are being handed on again;
// and that the program started again went quiet before it showed what the
// first run had.
EMSCRIPTEN_KEEPALIVE int editor_replaying(Session* session) {
  return session->runs.replaying() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void editor_replay_stalled(Session* session) { session->runs.replayStalled(); }

// GoingBack::Runs::State: 0 a run under way, 1 asking whether to go
// back, 2 start the program again, 3 finished.
EMSCRIPTEN_KEEPALIVE int editor_state(Session* session) {
  if (session->endedBySignal) return kFinished;
  return static_cast<int>(session->runs.state());
}

// How the dialogue ended: the exit code, or 128 and the signal, as a
// shell tells it.
EMSCRIPTEN_KEEPALIVE int editor_exit_status(Session* session) {
  const Child::Ending ending =
      session->endedBySignal ? *session->endedBySignal : session->runs.ending();
  return ending.signal != 0 ? 128 + ending.signal : ending.code;
}

// The bytes to draw since the last call (UTF-8 and escape sequences): their
// count, and where they are until the next call.
EMSCRIPTEN_KEEPALIVE int editor_take_screen(Session* session) {
  session->screen = editorOf(session).takeScreen();
  return static_cast<int>(session->screen.size());
}

EMSCRIPTEN_KEEPALIVE const char* editor_screen(Session* session) { return session->screen.data(); }

// The next line for the program, once it has read all it was given: its
// kind (LineEditing::HandedLine::Kind: 0 a line, 1 a line without its end,
// 2 the end of the input), or -1 while none is to be handed on. Its bytes
// (code page 932, a line with its LF, the end of the input none) are
// where editor_line() tells, editor_line_size() of them.
EMSCRIPTEN_KEEPALIVE int editor_next_line(Session* session) {
  if (session->endedBySignal) return kNoLine;
  const std::optional<LineEditing::HandedLine> line = session->runs.nextLine();
  if (!line) return kNoLine;
  session->line = line->codePage932;
  if (line->kind == LineEditing::HandedLine::Kind::line) session->line += '\n';
  if (line->kind == LineEditing::HandedLine::Kind::endOfInput) session->line.clear();
  return static_cast<int>(line->kind);
}

EMSCRIPTEN_KEEPALIVE const char* editor_line(Session* session) { return session->line.data(); }

EMSCRIPTEN_KEEPALIVE int editor_line_size(Session* session) {
  return static_cast<int>(session->line.size());
}

}  // extern "C"
