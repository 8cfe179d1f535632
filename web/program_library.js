// Functions of the WebAssembly program written in JavaScript (linked with
// --js-library).
mergeInto(LibraryManager.library, {
  // The engine's stack trace names each WebAssembly frame and gives the
  // module offset of its call: the report starts after the last frame of
  // the run-time error machinery and the arithmetic, and ends at main.
  tanshuku_stack_locations: function (locations, capacity) {
    const machinery = /^(RunTime|Platform|Arithmetic|ConsoleIo|TextStream)::/;
    const frames = [];
    Error.stackTraceLimit = Infinity;  // the engine keeps ten frames otherwise
    for (const line of new Error().stack.split('\n')) {
      const frame = /at (.*) \(.*:wasm-function\[\d+\]:(0x[0-9a-f]+)\)$/.exec(line.trim());
      if (frame) frames.push({ name: frame[1], offset: Number(frame[2]) });
    }
    let first = 0;
    frames.forEach((frame, index) => {
      if (machinery.test(frame.name)) first = index + 1;
    });
    let count = 0;
    for (let i = first; i < frames.length && count < capacity; ++i) {
      HEAPU32[(locations >> 2) + count++] = frames[i].offset;
      if (frames[i].name === 'main') break;
    }
    return count;
  },
});
