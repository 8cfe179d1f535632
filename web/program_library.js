// Functions of the WebAssembly program written in JavaScript (linked with
// --js-library).
mergeInto(LibraryManager.library, {
  // The report starts after the last frame of the run-time error machinery
  // and the arithmetic, and ends at main (Module.wasmFrames, from
  // program_host.js, reads the engine's stack trace).
  tanshuku_stack_locations: function (locations, capacity) {
    const machinery = /^(RunTime|Platform|Arithmetic|ConsoleIo|TextStream)::/;
    const frames = Module.wasmFrames(new Error());
    let first = 0;
    frames.forEach((frame, index) => {
      if (machinery.test(frame.name)) first = index + 1;
    });
    const shown = frames.slice(first, first + capacity);
    shown.forEach((frame, index) => {
      HEAPU32[(locations >> 2) + index] = frame.offset;
    });
    return shown.length;
  },
});
