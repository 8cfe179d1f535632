// Starts the WebAssembly program and carries its input, output and end: the
// same code for the page and for node, which runs the tests on it.
//
//   runProgram(createTanshuku, {
//     readInput(size),    // a promise of at most size bytes; none at the end
//     writeOutput(bytes), // the program's output bytes (code page 932);
//                         // false when they could not be written
//     outputIsConsole,    // true on a terminal: a report then shows 9 callers
//     unseen,             // true for the warm-up run, whose output nobody sees
//   })  -> a promise of the exit code; rejected with a CannotStart when
//            the program never began (no memory for it, a broken module)
//
//   startProgram(createTanshuku, host) -> { ended, stop() }: the same run,
//   its promise (ended) and stop(), which gives it up where it is, as a
//   signal ends the native program, and lets its instance go.
//
// A trap of the WebAssembly machine ends the program as a processor fault
// ends the native one: a report with the run-time error number (a stack
// overflow when the call stack is exhausted, an access violation
// otherwise) and the module offsets of the calls on the stack, in the form
// of the program's own report (program_contract.js).
(function (exports) {
  'use strict';

  const Contract =
    typeof module !== 'undefined' ? require('./program_contract.js') : globalThis.ProgramContract;

  function location(value) {
    return value.toString(16).toUpperCase().padStart(Contract.kLocationDigits, '0');
  }

  // The WebAssembly frames of an error's stack trace, innermost first, up to
  // main: the function's name and the module offset of its call. The
  // program's report walks its stack with it too (program_library.js).
  function wasmFrames(error) {
    const frames = [];
    for (const line of String(error && error.stack).split('\n')) {
      const frame = /at (.*) \(.*:wasm-function\[\d+\]:(0x[0-9a-f]+)\)$/.exec(line.trim());
      if (!frame) continue;
      frames.push({ name: frame[1], offset: Number(frame[2]) });
      if (frame[1] === 'main') break;
    }
    return frames;
  }

  function trapReport(error, outputIsConsole) {
    const number = error instanceof RangeError ? Contract.stackOverflow : Contract.accessViolation;
    const callers = outputIsConsole ? Contract.kConsoleCallerLines : Contract.kKeptCallerLines;
    const offsets = wasmFrames(error)
      .map((frame) => frame.offset)
      .slice(0, 1 + callers);
    if (offsets.length === 0) offsets.push(0);
    let text = Contract.kReportStart + number + Contract.kReportAt + location(offsets[0]) + '\r\n';
    for (const offset of offsets) text += Contract.kLocationLine + location(offset) + '\r\n';
    return { number, bytes: new TextEncoder().encode(text + '\r\n') };
  }

  // A trap, or the program's exit, after a read that waited comes back
  // from the engine's resumption of the program as a promise's rejection
  // that nothing handles. An exit has ended its run already (onExit); a trap
  // belongs to the newest run the user sees (the unseen warm-up run, which
  // meets none, comes last).
  const runsUnderWay = [];  // their trap handlers, the one that takes a trap last
  function takeUnhandled(error) {
    if (error && error.name === 'ExitStatus') return true;
    const trapped = runsUnderWay[runsUnderWay.length - 1];
    if (!trapped) return false;
    trapped(error);
    return true;
  }
  if (typeof process !== 'undefined' && typeof process.on === 'function') {
    process.on('unhandledRejection', (error) => {
      if (!takeUnhandled(error)) throw error;
    });
  } else if (typeof globalThis.addEventListener === 'function') {
    globalThis.addEventListener('unhandledrejection', (event) => {
      if (takeUnhandled(event.reason)) event.preventDefault();
    });
  }

  // The module, compiled once for every run: the functions the engine
  // compiles when they are first called stay compiled for the next run.
  let compiledModule = null;
  function compiled(createTanshuku) {
    if (!compiledModule) {
      const text = createTanshuku.wasmBase64;
      const bytes =
        typeof Buffer !== 'undefined'
          ? Buffer.from(text, 'base64')
          : Uint8Array.from(atob(text), (character) => character.charCodeAt(0));
      compiledModule = WebAssembly.compile(bytes);
    }
    return compiledModule;
  }

  // The instances not yet collected: a run that has ended leaves none
  // behind (the page's tests count them).
  let instancesAlive = 0;
  const collected =
    typeof FinalizationRegistry === 'function'
      ? new FinalizationRegistry(() => --instancesAlive)
      : null;
  function keepCount(instance) {
    if (!collected) return;
    ++instancesAlive;
    collected.register(instance, null);
  }

  // Why a run never began: memory for its instance (memory), or the module
  // that would not compile or instantiate (module).
  class CannotStart extends Error {
    constructor(cause) {
      super(String(cause && cause.message));
      this.name = 'CannotStart';
      this.reason = cause instanceof RangeError ? 'memory' : 'module';
    }
  }

  function startProgram(createTanshuku, host) {
    // A trap's stack trace keeps every frame (the engine keeps ten
    // otherwise).
    Error.stackTraceLimit = Infinity;
    let stop = null;
    const ended = new Promise((resolve, reject) => {
      let done = false;
      let instantiated = false;
      const leave = () => {
        if (done) return false;
        done = true;
        runsUnderWay.splice(runsUnderWay.indexOf(trapped), 1);
        return true;
      };
      const end = (code) => leave() && resolve(code);
      const trapped = (error) => {
        if (done) return;
        if (error && error.name === 'ExitStatus') return end(error.status);
        if (!instantiated) return leave() && reject(new CannotStart(error));
        const report = trapReport(error, host.outputIsConsole);
        host.writeOutput(report.bytes);
        end(report.number);
      };
      // Given up, the run's read waits for ever: nothing holds the run then,
      // and its instance goes with it.
      stop = () => leave() && resolve(null);
      if (host.unseen) runsUnderWay.unshift(trapped);
      else runsUnderWay.push(trapped);
      createTanshuku({
        readInput: (size) => (done ? new Promise(() => {}) : host.readInput(size)),
        writeOutput: (bytes) => done || host.writeOutput(bytes) !== false,
        outputIsConsole: host.outputIsConsole,
        wasmFrames,
        // The program's own end (exit, a run-time error). The runtime also
        // calls quit when main gives way to a read that waits: not an end.
        onExit: end,
        quit: (code, toThrow) => {
          throw toThrow;
        },
        onAbort: trapped,
        instantiateWasm: (imports, receiveInstance) => {
          compiled(createTanshuku)
            .then((module) => WebAssembly.instantiate(module, imports))
            .then((instance) => {
              instantiated = true;
              keepCount(instance);
              receiveInstance(instance);
            })
            .catch(trapped);
          return {};
        },
        print: () => {},
        printErr: () => {},
      }).catch(trapped);
    });
    return { ended, stop };
  }

  function runProgram(createTanshuku, host) {
    return startProgram(createTanshuku, host).ended;
  }

  // A session through every calculator, ending at menu 0, as the bytes of
  // its input: the input of golden transcripts, one for each calculator,
  // written in by the build (web/make_warm_up_script.cpp; web/CMakeLists.txt
  // names the transcripts), so that it follows the program's questions as
  // they change.
  const kWarmUpInput = '' /* the build's */;

  // Runs the session above, its output unseen, so that the engine has
  // compiled the program's functions before the user's first answers need
  // them (the first use of a function costs its compilation: some 60 ms for
  // the first result of a calculator). A promise of its exit code (0 when
  // it went through to menu 0), or of null when the program cannot start,
  // which the user's own run tells.
  function warmUp(createTanshuku) {
    const input = Uint8Array.from(kWarmUpInput, (character) => character.charCodeAt(0));
    let read = 0;
    return runProgram(createTanshuku, {
      readInput: async (size) => {
        // Each answer after the page's own work (its input, its drawing).
        await new Promise((resolve) => setTimeout(resolve, 0));
        const piece = input.subarray(read, read + size);
        read += piece.length;
        return piece;
      },
      writeOutput: () => true,
      outputIsConsole: false,
      unseen: true,
    }).catch((cannotStart) => {
      if (!(cannotStart instanceof CannotStart)) throw cannotStart;
      return null;
    });
  }

  exports.runProgram = runProgram;
  exports.startProgram = startProgram;
  exports.CannotStart = CannotStart;
  exports.instancesAlive = () => instancesAlive;
  exports.warmUp = warmUp;
})(typeof module !== 'undefined' ? module.exports : (globalThis.ProgramHost = {}));
