// What the core's page host calls in the worker's script: the functions it
// hands in on the module's object (runNec2c, give, progress, limit), reached with
// the texts in and out of the core's memory.
mergeInto(LibraryManager.library, {
  nec_page_run_nec2c__deps: ['malloc'],
  nec_page_run_nec2c: function (deck, timeLimitMs, report, messages) {
    const run = Module.runNec2c(UTF8ToString(deck), timeLimitMs);
    const copy = (text) => {
      const size = lengthBytesUTF8(text) + 1;
      const at = _malloc(size);
      stringToUTF8(text, at, size);
      return at;
    };
    HEAP32[report >> 2] = copy(run.report);
    HEAP32[messages >> 2] = copy(run.messages);
    return run.status;
  },
  nec_page_give: function (name, text) {
    Module.give(UTF8ToString(name), UTF8ToString(text));
  },
  nec_page_progress: function (stage, segments, runs, text) {
    Module.progress(stage, segments, runs, UTF8ToString(text));
  },
  nec_page_limit: function (milliseconds, line) {
    Module.limit(milliseconds, UTF8ToString(line));
  },
});
