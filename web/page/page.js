// The page: the program (tanshuku.js) on a terminal (xterm.js), with the
// front end's line editor and its going back after a run-time error
// (editor.js), which decides what happens and when. This script only
// carries bytes between them and keeps the time, as the front end's
// terminal mode does with a terminal and a pseudo-terminal: the terminal's
// keys to the editor, the editor's screen to the terminal, the editor's
// lines to the program's reads, the program's output to the editor; and it
// does what the editor asks next. Classic script, no modules: the page
// also works opened from a file.
(function () {
  'use strict';

  // The program's lines are up to 85 columns wide: the terminal is at least
  // this wide, scrolled sideways in a narrower window.
  const kColumns = 86;
  // How long after the first question the unseen run starts.
  const kWarmUpDelayMilliseconds = 200;

  // What the key row's keys send, as a terminal sends them.
  const kNamedKeys = { return: '\r', backspace: '\x7f', 'ctrl-c': '\x03' };

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
    const line = f('editor_line', ['number']);
    const lineSize = f('editor_line_size', ['number']);
    return {
      create,
      destroy: f('editor_destroy', ['number']),
      keys: (session, bytes) => withBytes(bytes, (place, size) => keys(session, place, size)),
      programOutput: (session, bytes) =>
        withBytes(bytes, (place, size) => output(session, place, size)),
      programReads: f('editor_program_reads', ['number']),
      programEnded: f('editor_program_ended', ['number', 'number', 'number']),
      resize: f('editor_resize', ['number', 'number']),
      next: module.cwrap('editor_next', 'string', ['number', 'number']),
      waitUntil: f('editor_wait_until', ['number']),
      signal: f('editor_signal', ['number']),
      exitStatus: f('editor_exit_status', ['number']),
      takeScreen: (session) => {
        const size = takeScreen(session);
        return copy(screen(session), size);
      },
      // The bytes of the line handed on last (none at the end of the input).
      line: (session) => copy(line(session), lineSize(session)),
      lineWasCut: f('editor_line_was_cut', ['number']),
      cutLineNotice: module.cwrap('editor_cut_line_notice', 'string', []),
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
  let waitTimer = null;

  // Menu 1's design just typed, followed in the runs' output and lines and
  // offered to the NEC2 check's panel.
  const necPanel = NecPanel.attach({ check: globalThis.NecCheck, window });
  const designs = DesignTracker.create({ contract: ProgramContract, onDesign: necPanel.offer });

  // The terminal follows the window, as the front end follows its
  // terminal's size: as many columns as the window's width holds (never
  // fewer than the program's screens need), the rows as above, and the
  // editor told the new width.
  const fit = new FitAddon.FitAddon();
  terminal.loadAddon(fit);
  PhoneView.attach({
    terminal,
    box: document.getElementById('terminal-frame'),
    fit,
    columns: kColumns,
    button: document.getElementById('fit-view'),
    fontChanged: followWindow,
  });
  function followWindow() {
    const proposed = fit.proposeDimensions();
    const columns = Math.max(kColumns, proposed ? proposed.cols : kColumns);
    const rows = terminalRows();
    if (columns === terminal.cols && rows === terminal.rows) return;
    terminal.resize(columns, rows);
    if (pageState !== 'running') return;
    editor.resize(session, columns);
    draw();
  }
  followWindow();
  window.addEventListener('resize', followWindow);

  function draw() {
    const screen = editor.takeScreen(session);
    if (screen.length > 0) terminal.write(screen);
  }

  // A run of the program: its reads wait here for the editor's lines; a
  // line longer than the read takes more reads.
  function startRun() {
    const thisRun = { read: null, rest: null, stop: null };
    run = thisRun;
    designs.runStarted();
    const readInput = (size) =>
      new Promise((resolve) => {
        if (run !== thisRun) return;  // given up: the read waits for ever
        thisRun.read = { size, resolve };
        if (thisRun.rest) giveRest(thisRun);
        else editor.programReads(session);
        queueMicrotask(pump);
        warmUpOnce();
      });
    const writeOutput = (bytes) => {
      if (run !== thisRun) return true;
      designs.output(bytes);
      editor.programOutput(session, bytes);
      queueMicrotask(pump);
      return true;
    };
    const program = ProgramHost.startProgram(createTanshuku, {
      readInput,
      writeOutput,
      outputIsConsole: true,
    });
    thisRun.stop = program.stop;
    program.ended.then(
      (code) => {
        if (run !== thisRun) return;
        run = null;
        designs.runEnded();
        editor.programEnded(session, code, 0);
        pump();
      },
      (cannotStart) => {
        if (run === thisRun) cannotStartRun(cannotStart.reason);
      });
  }

  function cannotStartRun(reason) {
    run = null;
    clearTimeout(waitTimer);
    pageState = 'failed';
    PageLoading.cannotStart(reason);
  }

  function giveRest(thisRun) {
    const read = thisRun.read;
    const piece = thisRun.rest.subarray(0, read.size);
    thisRun.rest = piece.length < thisRun.rest.length ? thisRun.rest.subarray(piece.length) : null;
    thisRun.read = null;
    read.resolve(piece);
  }

  // The program has no signals: the run under way is given up, and ends as
  // the signal would have ended it.
  function signalRun(signal) {
    if (run) run.stop();
    run = null;
    designs.runEnded();
    keysToHand = [];
    editor.programEnded(session, 0, signal);
  }

  // Once the first question is on the screen, a run of its own, unseen, has the engine compile the program's
  // functions before the user's answers need them.
  let warmedUp = false;
  function warmUpOnce() {
    if (warmedUp) return;
    warmedUp = true;
    setTimeout(() => ProgramHost.warmUp(createTanshuku), kWarmUpDelayMilliseconds);
  }

  // After anything that happened: the screen drawn, and what the editor
  // asks done, until it waits (then asked again at the time it names) or
  // ends.
  function pump() {
    clearTimeout(waitTimer);
    waitTimer = null;
    while (pageState === 'running') {
      draw();
      const step = editor.next(session, performance.now());
      if (step === 'start a run') {
        startRun();
      } else if (step === 'hand on a line') {
        run.rest = editor.line(session);
        designs.line(run.rest);
        if (editor.lineWasCut(session)) tellLineCut();
        giveRest(run);
      } else if (step === 'signal the run') {
        signalRun(editor.signal(session));
      } else if (step === 'end') {
        finish();
      } else {
        const until = editor.waitUntil(session);
        if (Number.isFinite(until)) {
          waitTimer = setTimeout(pump, Math.max(0, until - performance.now()) + 1);
        }
        return;
      }
    }
  }

  // The line's end is on the screen: the notice goes below it, as the front
  // end on a terminal writes it to its standard error.
  function tellLineCut() {
    draw();
    terminal.write(editor.cutLineNotice() + '\r\n');
  }

  // The keys go to the editor in pieces of at most what the front end on a
  // terminal reads at a time, the page free between them (a long paste
  // does not hold it).
  const kKeysPieceBytes = 4096;
  let keysToHand = [];

  function keys(bytes) {
    if (pageState !== 'running') return;
    const handing = keysToHand.length > 0;
    for (let at = 0; at < bytes.length; at += kKeysPieceBytes) {
      keysToHand.push(bytes.subarray(at, at + kKeysPieceBytes));
    }
    if (!handing) handNextKeys();
  }

  function handNextKeys() {
    if (pageState !== 'running') keysToHand = [];
    if (keysToHand.length === 0) return;
    editor.keys(session, keysToHand[0]);
    keysToHand.shift();
    pump();
    if (keysToHand.length > 0) setTimeout(handNextKeys, 0);
  }

  function finish() {
    draw();
    run = null;
    clearTimeout(waitTimer);
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
    session = editor.create(terminal.cols);
    pageState = 'running';
    ended.hidden = true;
    loading.hidden = true;
    pump();
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

  createEditor().then(
    (module) => {
      if (!PageLoading.mayStart()) return;
      editor = editorFunctions(module);
      PageLoading.started();
      startSession();
    },
    () => PageLoading.fileBroken('editor.js'),
  );

  // For the page's tests: what the terminal shows, how wide it is, where
  // its cursor is, and whether the program runs.
  function screenText() {
    const buffer = terminal.buffer.active;
    const rows = [];
    for (let i = 0; i < buffer.length; ++i) rows.push(buffer.getLine(i).translateToString(true));
    while (rows.length > 0 && rows[rows.length - 1] === '') rows.pop();
    return rows.join('\n');
  }
  window.tanshukuPage = Object.freeze({
    screenText,
    columns: () => terminal.cols,
    cursorColumn: () => terminal.buffer.active.cursorX,
    state: () => pageState,
  });

  // Offline once loaded, where the browser allows a service worker (https,
  // localhost; not a page opened from a file).
  if ('serviceWorker' in navigator && window.isSecureContext && location.protocol !== 'file:') {
    navigator.serviceWorker.register('service-worker.js').catch(() => {});
  }
})();
