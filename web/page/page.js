// The page: the program (tanshuku.js) on a terminal (xterm.js), with the
// front end's line editor and its going back after a run-time error
// (editor.js). This script only carries bytes between them, as the front
// end's terminal mode does with a terminal and a pseudo-terminal: the
// terminal's keys to the editor, the editor's screen to the terminal, the
// editor's lines to the program's reads, the program's output to the
// editor. Classic script, no modules: the page also works opened from a
// file.
(function () {
  'use strict';

  // The program's lines are up to 85 columns wide.
  const kColumns = 86;
  // How long the rest of a key, or the terminal's answer to the question
  // for the cursor's column, may take; how long a run started again may
  // take to show what the first run showed.
  const kKeyWaitMilliseconds = 100;
  const kReplayWaitMilliseconds = 10000;
  const kReplayCheckMilliseconds = 1000;
  // How long after the first question the unseen run starts.
  const kWarmUpDelayMilliseconds = 200;

  // The editor's states (editor_api.cpp).
  const kStartAgain = 2;
  const kFinished = 3;

  // What the key row's keys send, as a terminal sends them.
  const kNamedKeys = { return: '\r', backspace: '\x7f' };

  const encoder = new TextEncoder();

  // The editor module's functions, with the bytes in and out of its memory.
  function editorFunctions(module) {
    const f = (name, args) => module.cwrap(name, 'number', args);
    const withBytes = (bytes, call) => {
      const place = module._malloc(Math.max(bytes.length, 1));
      module.HEAPU8.set(bytes, place);
      try {
        return call(place, bytes.length);
      } finally {
        module._free(place);
      }
    };
    const copy = (place, size) => module.HEAPU8.slice(place, place + size);
    const create = f('editor_create', ['number']);
    const keys = f('editor_keys', ['number', 'number', 'number']);
    const output = f('editor_program_output', ['number', 'number', 'number']);
    const takeScreen = f('editor_take_screen', ['number']);
    const screen = f('editor_screen', ['number']);
    const nextLine = f('editor_next_line', ['number']);
    const line = f('editor_line', ['number']);
    const lineSize = f('editor_line_size', ['number']);
    return {
      create,
      destroy: f('editor_destroy', ['number']),
      keys: (session, bytes) => withBytes(bytes, (place, size) => keys(session, place, size)),
      programOutput: (session, bytes) =>
        withBytes(bytes, (place, size) => output(session, place, size)),
      programEnded: f('editor_program_ended', ['number', 'number', 'number']),
      programStarted: f('editor_program_started', ['number']),
      awaitsMore: f('editor_awaits_more', ['number']),
      timeOut: f('editor_time_out', ['number']),
      replaying: f('editor_replaying', ['number']),
      replayStalled: f('editor_replay_stalled', ['number']),
      state: f('editor_state', ['number']),
      exitStatus: f('editor_exit_status', ['number']),
      takeScreen: (session) => {
        const size = takeScreen(session);
        return copy(screen(session), size);
      },
      // The next line's bytes for the program (none at the end of the
      // input), or null while none is to be handed on.
      nextLine: (session) => (nextLine(session) < 0 ? null : copy(line(session), lineSize(session))),
    };
  }

  // The terminal takes as many rows as the window's height leaves beside
  // the rest of the page: the header, the frame's padding, the status line,
  // the key row and the notes, with the body's padding and the margins.
  // In Chromium on a wide window they take 241 pixels while a run is under
  // way, 265 while the page loads and 284 once the program has ended (on a
  // phone, where they wrap, about 450, and the page scrolls).
  const kPageBesideRowsPixels = 260;
  // A terminal row at font size 14: 14 pixels in IPAGothic, 16 in DejaVu
  // Sans Mono, 19 in Chromium's generic monospace, whichever the browser
  // has; 17 lies between them.
  const kRowPixels = 17;

  function terminalRows() {
    const rows = Math.floor((window.innerHeight - kPageBesideRowsPixels) / kRowPixels);
    return Math.max(12, Math.min(40, rows));
  }

  const terminal = new Terminal({
    cols: kColumns,
    rows: terminalRows(),
    fontFamily: '"IPAGothic", "MS Gothic", "Osaka-Mono", "Noto Sans Mono CJK JP", monospace',
    fontSize: 14,
    scrollback: 5000,
    cursorBlink: true,
  });
  terminal.open(document.getElementById('terminal'));

  const loading = document.getElementById('loading');
  const ended = document.getElementById('ended');
  const endedText = document.getElementById('ended-text');

  let editor = null;  // the editor module's functions
  let session = 0;    // the dialogue of the user with the program, in the editor module
  let run = null;     // the run of the program under way
  let pageState = 'loading';
  let keyTimer = null;
  let replayTimer = null;

  function draw() {
    const screen = editor.takeScreen(session);
    if (screen.length > 0) terminal.write(screen);
  }

  // A run of the program: its reads wait here for the editor's lines.
  function startRun() {
    const thisRun = { read: null, rest: null, lastOutput: Date.now() };
    run = thisRun;
    const readInput = (size) =>
      new Promise((resolve) => {
        if (run !== thisRun) return;  // given up: the read waits for ever
        thisRun.read = { size, resolve };
        queueMicrotask(pump);
        warmUpOnce();
      });
    const writeOutput = (bytes) => {
      if (run !== thisRun) return true;
      thisRun.lastOutput = Date.now();
      editor.programOutput(session, bytes);
      queueMicrotask(pump);
      return true;
    };
    ProgramHost.runProgram(createTanshuku, { readInput, writeOutput, outputIsConsole: true }).then(
      (code) => {
        if (run !== thisRun) return;
        run = null;
        editor.programEnded(session, code, 0);
        pump();
      });
  }

  // Once the first question is on the screen, a run of its own, unseen, has the engine compile the program's
  // functions before the user's answers need them.
  let warmedUp = false;
  function warmUpOnce() {
    if (warmedUp) return;
    warmedUp = true;
    setTimeout(() => ProgramHost.warmUp(createTanshuku), kWarmUpDelayMilliseconds);
  }

  // One line at a time, when the program has read all it was given; a line
  // longer than the read takes more reads.
  function handOnLine() {
    if (!run || !run.read) return;
    if (!run.rest) {
      run.rest = editor.nextLine(session);
      if (!run.rest) return;
    }
    const read = run.read;
    const piece = run.rest.subarray(0, read.size);
    run.rest = piece.length < run.rest.length ? run.rest.subarray(piece.length) : null;
    run.read = null;
    read.resolve(piece);
  }

  // After anything that happened: the screen drawn, a new run started when
  // the user goes back, the next line handed on, the waits armed.
  function pump() {
    if (pageState !== 'running') return;
    draw();
    if (editor.state(session) === kStartAgain) {
      startRun();
      editor.programStarted(session);
      draw();
    }
    if (editor.state(session) === kFinished) {
      finish();
      return;
    }
    handOnLine();
    draw();
    armReplayCheck();
  }

  function armKeyWait() {
    clearTimeout(keyTimer);
    keyTimer = null;
    if (!editor.awaitsMore(session)) return;
    keyTimer = setTimeout(() => {
      keyTimer = null;
      if (pageState !== 'running' || !editor.awaitsMore(session)) return;
      editor.timeOut(session);
      pump();
    }, kKeyWaitMilliseconds);
  }

  function armReplayCheck() {
    if (replayTimer || !run || !editor.replaying(session)) return;
    replayTimer = setTimeout(() => {
      replayTimer = null;
      if (pageState !== 'running' || !run) return;
      if (editor.replaying(session) && Date.now() - run.lastOutput > kReplayWaitMilliseconds) {
        editor.replayStalled(session);
      }
      pump();
    }, kReplayCheckMilliseconds);
  }

  function keys(bytes) {
    if (pageState !== 'running') return;
    // A signal key ended the run under way: the program is given up.
    if (editor.keys(session, bytes) !== 0) run = null;
    armKeyWait();
    pump();
  }

  function finish() {
    draw();
    run = null;
    pageState = 'ended';
    const status = editor.exitStatus(session);
    endedText.textContent =
      status === 130
        ? 'Ctrl-C でプログラムを終了しました。'
        : status === 0
          ? 'プログラムは終了しました。'
          : 'プログラムは終了しました（終了ステータス ' + status + '）。';
    ended.hidden = false;
  }

  function startSession() {
    session = editor.create(kColumns);
    pageState = 'running';
    ended.hidden = true;
    loading.hidden = true;
    startRun();
    terminal.focus();
  }

  function startAgain() {
    editor.destroy(session);
    if (terminal.buffer.active.cursorX > 0) terminal.write('\r\n');
    terminal.write('\r\n');
    startSession();
  }

  terminal.onData((data) => keys(encoder.encode(data)));
  document.getElementById('start-again').addEventListener('click', startAgain);
  for (const button of document.querySelectorAll('#key-row button')) {
    const key = button.dataset.key;
    const bytes = encoder.encode(kNamedKeys[key] || key);
    // The terminal keeps the focus (a phone's keyboard stays closed).
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => keys(bytes));
  }

  createEditor().then((module) => {
    editor = editorFunctions(module);
    startSession();
  });

  // For the page's tests: what the terminal shows, and whether the program
  // runs.
  function screenText() {
    const buffer = terminal.buffer.active;
    const rows = [];
    for (let i = 0; i < buffer.length; ++i) rows.push(buffer.getLine(i).translateToString(true));
    while (rows.length > 0 && rows[rows.length - 1] === '') rows.pop();
    return rows.join('\n');
  }
  window.tanshukuPage = Object.freeze({
    screenText,
    state: () => pageState,
  });

  // Offline once loaded, where the browser allows a service worker (https,
  // localhost; not a page opened from a file).
  if ('serviceWorker' in navigator && window.isSecureContext && location.protocol !== 'file:') {
    navigator.serviceWorker.register('service-worker.js').catch(() => {});
  }
})();
