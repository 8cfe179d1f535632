// The NEC2 check in its worker (nec_check.js starts it): tanshuku-nec's
// core as WebAssembly (createNecCheck) with nec2c as WebAssembly
// (createNec2c) for its solver, a fresh instance of nec2c's module for each
// run, made at once so that the core waits for its report as it would for
// a program's. Told { link, language, runTimeLimitMs, measured }, it posts
//   { type: 'limit', limitMs, message } first: the whole check's limit and
//     tanshuku-nec's line for it,
//   { type: 'run', timeLimitMs } and { type: 'ran' } about each nec2c run,
//     { type: 'timedOut', timeLimitMs } after a run that took longer,
//   { type: 'progress', step }, and at the end one of
//   { type: 'refused' | 'failed', message } or { type: 'done', result }.
// runTimeLimitMs, where given, stands for each run's own limit; measured,
// where given, is an analyser's file of the antenna as built, { name, text }.
/* global createNecCheck, createNec2c */
'use strict';

const kStages = ['segmentSeries', 'dipole', 'sweeps', 'helix'];

// What nec2c may take of the device's memory, which caps the helix the
// core runs: a quarter of the memory the browser says the device has
// (Chromium tells it, rounded, at most 8 GB), or of a small phone's where
// it says nothing; never more than nec2c's module can grow to (Emscripten's
// most for a module whose memory grows, 2 GB).
const kGigabyte = 2 ** 30;
const kModuleMostBytes = 2 * kGigabyte;
const kUnknownDeviceGigabytes = 2;
const kShareForNec2c = 1 / 4;
function memoryForNec2c() {
  const deviceGigabytes = navigator.deviceMemory || kUnknownDeviceGigabytes;
  return Math.min(kModuleMostBytes, deviceGigabytes * kGigabyte * kShareForNec2c);
}

function bytesOf(base64) {
  return Uint8Array.from(atob(base64), (character) => character.charCodeAt(0));
}

// Compiled once for the worker; each run instantiates it afresh.
const nec2cModule = new WebAssembly.Module(bytesOf(createNec2c.wasmBase64));

// One run of nec2c on the deck: its exit status, report and other output.
// A run that never reached its exit (its module failed, its memory could
// not grow) ends with status 1, with what the module said.
function runNec2c(deck, timeLimitMs) {
  const started = performance.now();
  postMessage({ type: 'run', timeLimitMs });
  const messages = [];
  let status = null;
  const nec2c = {
    print: (line) => messages.push(line),
    printErr: (line) => messages.push(line),
    onExit: (code) => {
      status = code;
    },
    // Its exit() ends the instance, not the worker.
    quit: (code, ending) => {
      throw ending;
    },
    instantiateWasm: (imports, receive) => {
      const instance = new WebAssembly.Instance(nec2cModule, imports);
      receive(instance);
      return instance.exports;
    },
  };
  let report = '';
  try {
    createNec2c(nec2c);
    nec2c.FS.writeFile('/deck.nec', deck);
    nec2c.callMain(['-i', '/deck.nec', '-o', '/report.txt']);
    report = nec2c.FS.readFile('/report.txt', { encoding: 'utf8' });
  } catch (error) {
    messages.push(String((error && error.message) || error));
  }
  postMessage(performance.now() - started > timeLimitMs ? { type: 'timedOut', timeLimitMs } : { type: 'ran' });
  return { status: status === null ? 1 : status, report, messages: messages.join('\n') + '\n' };
}

// A sweep's "MHz SWR" lines as points.
function pointsOf(lines) {
  return (lines || '')
    .split('\n')
    .filter((line) => line !== '')
    .map((line) => {
      const [mhz, swr] = line.split(' ').map(Number);
      return { mhz, swr };
    });
}

// The core's parts, as it gives them, made into the result the page takes.
function resultOf(parts, notes) {
  return {
    screen: parts.screen,
    json: parts.json,
    files: { nec: parts.nec, maa: parts.maa, csv: parts.csv === undefined ? null : parts.csv },
    sweep: pointsOf(parts.sweep),
    measured: pointsOf(parts.measured),
    matchedOhm: Number(parts.matchedOhm),
    notes,
  };
}

async function check({ link, language, runTimeLimitMs, measured }) {
  const parts = {};
  const core = await createNecCheck({
    runNec2c: (deck, timeLimitMs) => runNec2c(deck, runTimeLimitMs ?? timeLimitMs),
    give: (name, text) => {
      parts[name] = text;
    },
    progress: (stage, segments, runs, text) =>
      postMessage({ type: 'progress', step: { stage: kStages[stage], segments, runs, text } }),
    limit: (limitMs, message) => postMessage({ type: 'limit', limitMs, message }),
  });
  core.ccall('nec_page_check', null, ['string', 'number', 'number', 'string', 'string'], [
    link,
    language === 'ja' ? 1 : 0,
    memoryForNec2c(),
    measured ? measured.name : '',
    measured ? measured.text : '',
  ]);
  if (parts.refused !== undefined) return { type: 'refused', message: parts.refused };
  if (parts.failed !== undefined) return { type: 'failed', message: parts.failed };
  const notes = (parts.notes || '').split('\n').filter((note) => note !== '');
  return { type: 'done', result: resultOf(parts, notes) };
}

onmessage = (event) => {
  check(event.data).then(postMessage, (error) =>
    postMessage({ type: 'failed', message: 'tanshuku-nec: ' + String((error && error.message) || error) }),
  );
};
