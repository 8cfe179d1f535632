// Runs the WebAssembly program under node on standard input and output, as
// the native program runs: the tests run the page's own program so.
//
//   node run_under_node.js SITE/tanshuku.js
'use strict';
const fs = require('fs');
const path = require('path');
// The page's own program and the page's own code that starts it.
const program = path.resolve(process.argv[2]);
const createTanshuku = require(program);
const { runProgram } = require(path.join(path.dirname(program), 'program_host.js'));

// Standard input as it arrives, handed out in pieces of the size asked.
const arrived = [];
let inputEnded = false;
let waiting = null;
process.stdin.on('data', (chunk) => {
  arrived.push(chunk);
  if (waiting) waiting();
});
process.stdin.on('end', () => {
  inputEnded = true;
  if (waiting) waiting();
});

async function readInput(size) {
  while (arrived.length === 0 && !inputEnded) {
    await new Promise((resolve) => (waiting = resolve));
    waiting = null;
  }
  if (arrived.length === 0) return new Uint8Array(0);
  const chunk = arrived[0];
  if (chunk.length <= size) {
    arrived.shift();
    return chunk;
  }
  arrived[0] = chunk.subarray(size);
  return chunk.subarray(0, size);
}

// All of the bytes, or false when the output fails (a closed pipe).
function writeOutput(bytes) {
  let done = 0;
  while (done < bytes.length) {
    try {
      done += fs.writeSync(1, bytes, done);
    } catch (error) {
      if (error.code !== 'EAGAIN') return false;
    }
  }
  return true;
}

runProgram(createTanshuku, {
  readInput,
  writeOutput,
  outputIsConsole: false,
}).then((code) => process.exit(code));
