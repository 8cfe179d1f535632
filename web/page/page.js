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
    const next = f('editor_next', ['number', 'number']);
    const stepName = module.cwrap('editor_step_name', 'string', ['number']);
    const stepNames = [];
    for (let step = 0; stepName(step) !== ''; ++step) stepNames.push(stepName(step));
    return {
      create,
      destroy: f('editor_destroy', ['number']),
      keys: (session, bytes) => withBytes(bytes, (place, size) => keys(session, place, size)),
      programOutput: (session, bytes) =>
        withBytes(bytes, (place, size) => output(session, place, size)),
      programReads: f('editor_program_reads', ['number']),
      programEnded: f('editor_program_ended', ['number', 'number', 'number']),
      resize: f('editor_resize', ['number', 'number']),
      // The step asked for next, by its name in the editor's table of
      // steps (undefined for a number past it).
      next: (session, now) => stepNames[next(session, now)],
      stepNames,
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

  // The keys, handed on in pieces of at most what the front end on a
  // terminal reads at a time, the page free between them (a long paste
  // does not hold it).
  const kKeysPieceBytes = 4096;
  function keyHanding(hand) {
    let waiting = [];
    function handNext() {
      if (waiting.length === 0) return;
      hand(waiting.shift());
      if (waiting.length > 0) setTimeout(handNext, 0);
    }
    return {
      keys(bytes) {
        const idle = waiting.length === 0;
        for (let at = 0; at < bytes.length; at += kKeysPieceBytes) {
          waiting.push(bytes.subarray(at, at + kKeysPieceBytes));
        }
        if (idle) handNext();
      },
      drop() {
        waiting = [];
      },
    };
  }

  // One run of the program: its reads wait for the lines handed on, a line
  // longer than a read taking more reads, and what it writes goes to the
  // editor. The dialogue hears of it through the functions handed in
  // (onNews: the editor has heard something; onRead: the program waits for
  // a line; onOutput: what the program wrote; onEnd, onCannotStart) until
  // it ends or is stopped.
  function programRun({ editor, session, onNews, onRead, onOutput, onEnd, onCannotStart }) {
    let live = true;
    let read = null;  // the read that waits
    let rest = null;  // what the reads have not yet taken of the line handed on
    const giveRest = () => {
      const piece = rest.subarray(0, read.size);
      rest = piece.length < rest.length ? rest.subarray(piece.length) : null;
      const waiting = read;
      read = null;
      waiting.resolve(piece);
    };
    const readInput = (size) =>
      new Promise((resolve) => {
        if (!live) return;  // given up: the read waits for ever
        read = { size, resolve };
        if (rest) giveRest();
        else editor.programReads(session);
        queueMicrotask(onNews);
        onRead();
      });
    const writeOutput = (bytes) => {
      if (!live) return true;
      onOutput(bytes);
      editor.programOutput(session, bytes);
      queueMicrotask(onNews);
      return true;
    };
    const program = ProgramHost.startProgram(createTanshuku, {
      readInput,
      writeOutput,
      outputIsConsole: true,
    });
    const over = (then) => (value) => {
      if (!live) return;
      live = false;
      then(value);
    };
    program.ended.then(
      over(onEnd),
      over((why) => onCannotStart(why.reason)),
    );
    return {
      handOn(line) {
        rest = line;
        giveRest();
      },
      // The program has no signals: the run is given up where it is.
      stop() {
        live = false;
        program.stop();
      },
    };
  }

  // The dialogue of the user with the program, from the menu to the end:
  // the editor's session, told what happens (the keys, the program's
  // output, its reads and its end), and what it asks next done, until it
  // waits (then asked again at the time it names) or ends. The terminal
  // shows its screen; the page hears of its end through the functions
  // handed in, and the designs' tracker follows its runs' output and lines.
  function dialogue({ editor, terminal, designs, onRead, onEnd, onCannotStart, onBroken }) {
    const session = editor.create(terminal.cols);
    let state = 'running';
    let run = null;  // the run of the program under way
    let waitTimer = null;
    const handing = keyHanding((piece) => {
      editor.keys(session, piece);
      pump();
    });

    const draw = () => {
      const screen = editor.takeScreen(session);
      if (screen.length > 0) terminal.write(screen);
    };
    const stop = (reached) => {
      state = reached;
      if (run) run.stop();
      run = null;
      clearTimeout(waitTimer);
      handing.drop();
    };

    // What each step asks, and whether the dialogue goes on at once.
    const steps = {
      'start a run': () => {
        designs.runStarted();
        run = programRun({
          editor,
          session,
          onNews: pump,
          onRead,
          onOutput: designs.output,
          onEnd: (code) => {
            run = null;
            designs.runEnded();
            editor.programEnded(session, code, 0);
            pump();
          },
          onCannotStart: (reason) => {
            stop('failed');
            onCannotStart(reason);
          },
        });
        return true;
      },
      'hand on a line': () => {
        const line = editor.line(session);
        // The line's end is on the screen: the notice goes below it, as the
        // front end on a terminal writes it to its standard error.
        if (editor.lineWasCut(session)) {
          draw();
          terminal.write(editor.cutLineNotice() + '\r\n');
        }
        designs.line(line);
        run.handOn(line);
        return true;
      },
      // The run is given up, and ends as the signal would have ended it.
      'signal the run': () => {
        if (run) run.stop();
        run = null;
        designs.runEnded();
        handing.drop();
        editor.programEnded(session, 0, editor.signal(session));
        return true;
      },
      wait: () => {
        const until = editor.waitUntil(session);
        if (Number.isFinite(until)) {
          waitTimer = setTimeout(pump, Math.max(0, until - performance.now()) + 1);
        }
        return false;
      },
      end: () => {
        draw();
        stop('ended');
        onEnd(editor.exitStatus(session));
        return false;
      },
    };

    const stepNamed = (name) => (Object.hasOwn(steps, name) ? steps[name] : null);

    function pump() {
      clearTimeout(waitTimer);
      waitTimer = null;
      while (state === 'running') {
        draw();
        const step = stepNamed(editor.next(session, performance.now()));
        if (!step) {
          stop('failed');
          onBroken();
          return;
        }
        if (!step()) return;
      }
    }

    // A step that the editor names and this page does not know, or one
    // that it knows and the editor does not: two builds mixed.
    const known = Object.keys(steps);
    if (known.length !== editor.stepNames.length || !editor.stepNames.every(stepNamed)) {
      stop('failed');
      onBroken();
    } else {
      pump();
    }

    return {
      state: () => state,
      keys(bytes) {
        if (state === 'running') handing.keys(bytes);
      },
      // The terminal is now this many columns wide.
      resize(columns) {
        if (state !== 'running') return;
        editor.resize(session, columns);
        draw();
      },
      destroy() {
        stop('ended');
        editor.destroy(session);
      },
    };
  }

  // The program's module is compiled once for every run; once the first
  // question is on the screen, a run of its own, unseen, has the engine
  // compile the program's functions before the user's answers need them.
  // A warm-up that ends otherwise than at menu 0 no longer follows the
  // program's questions: the console says so.
  function warmUpOnce() {
    let warmedUp = false;
    return () => {
      if (warmedUp) return;
      warmedUp = true;
      setTimeout(async () => {
        const code = await ProgramHost.warmUp(createTanshuku);
        if (code !== 0 && code !== null) {
          console.warn(`tanshuku: the unseen warm-up run ended with status ${code}`);
        }
      }, kWarmUpDelayMilliseconds);
    };
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
  const endedBox = document.getElementById('ended');
  const endedText = document.getElementById('ended-text');
  const warmUp = warmUpOnce();

  let current = null;  // the dialogue on the screen

  // Menu 1's design just typed, followed in the runs' output and lines and
  // offered to the NEC2 check's panel.
  const necPanel = NecPanel.attach({ check: globalThis.NecCheck, window });
  const designs = DesignTracker.create({ contract: ProgramContract, onDesign: necPanel.offer });

  // The terminal follows the window, as the front end follows its
  // terminal's size: as many columns as the window's width holds (never
  // fewer than the program's screens need), the rows as above, and the
  // dialogue told the new width.
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
    if (current) current.resize(columns);
  }
  followWindow();
  window.addEventListener('resize', followWindow);

  function tellEnd(status) {
    endedText.textContent =
      status === 130
        ? 'Ctrl-C でプログラムを終了しました。'
        : status === 0
          ? 'プログラムは終了しました。'
          : 'プログラムは終了しました（終了ステータス ' + status + '）。';
    endedBox.hidden = false;
  }

  function startDialogue(editor) {
    endedBox.hidden = true;
    loading.hidden = true;
    current = dialogue({
      editor,
      terminal,
      designs,
      onRead: warmUp,
      onEnd: tellEnd,
      onCannotStart: PageLoading.cannotStart,
      onBroken: () => PageLoading.fileBroken('editor.js'),
    });
    terminal.focus();
  }

  function startAgain(editor) {
    current.destroy();
    if (terminal.buffer.active.cursorX > 0) terminal.write('\r\n');
    terminal.write('\r\n');
    startDialogue(editor);
  }

  terminal.onData((data) => current && current.keys(encoder.encode(data)));
  for (const button of document.querySelectorAll('#key-row button')) {
    const key = button.dataset.key;
    const bytes = encoder.encode(kNamedKeys[key] || key);
    // The terminal keeps the focus (a phone's keyboard stays closed).
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => current && current.keys(bytes));
  }

  createEditor().then(
    (module) => {
      if (!PageLoading.mayStart()) return;
      const editor = editorFunctions(module);
      PageLoading.started();
      document.getElementById('start-again').addEventListener('click', () => startAgain(editor));
      startDialogue(editor);
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
    state: () => (current ? current.state() : 'loading'),
  });

  // Offline once loaded, and an app to install, where the browser allows a
  // service worker (https, localhost; not a page opened from a file, for
  // which Chromium would refuse the manifest aloud on the console). Where it
  // refuses the worker (its storage turned off, a private window), the page
  // works as long as the network does: the console says why.
  if ('serviceWorker' in navigator && window.isSecureContext && location.protocol !== 'file:') {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    navigator.serviceWorker.register('service-worker.js').catch((error) => {
      console.warn(`tanshuku: the page is not kept for use offline: ${error.message}`);
    });
  }
})();
