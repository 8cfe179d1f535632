// Writes the page's nec_check_worker.js: one script that sets
// NecCheckWorkerSource to the whole source of the NEC2 check's worker, which
// nec_check.js loads with a script element (a page opened from its file
// can neither fetch it nor start a worker from a file) and starts from a
// Blob. The source is nec2c's script, the core's script and the worker's
// own (RUNNER). nec2c's module moves out of its script's data address into
// createNec2c.wasmBase64, which the worker compiles once for all its runs.
//   node bundle_worker.js OUTPUT RUNNER CORE NEC2C
'use strict';
const fs = require('node:fs');

const [output, runner, core, nec2c] = process.argv.slice(2);
const kDataAddress = /"data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)"/g;

const nec2cScript = fs.readFileSync(nec2c, 'utf8');
const modules = [...nec2cScript.matchAll(kDataAddress)];
if (modules.length !== 1) {
  console.error(`${nec2c}: ${modules.length} modules as data addresses, not one`);
  process.exit(1);
}
const nec2cWithoutModule =
  nec2cScript.replace(kDataAddress, '"data:application/octet-stream;base64,"') +
  `\ncreateNec2c.wasmBase64 = "${modules[0][1]}";\n`;
const source = [nec2cWithoutModule, fs.readFileSync(core, 'utf8'), fs.readFileSync(runner, 'utf8')]
  .join('\n');
fs.writeFileSync(output + '.part', `globalThis.NecCheckWorkerSource = ${JSON.stringify(source)};\n`);
fs.renameSync(output + '.part', output);
