// The page in headless Chromium: dialogues typed as keys, pasted, tapped on
// the key row, a slip taken back, the end and a new start, a window that
// changes its size; the page served by a server of the test's own on the
// loopback address, which is slow, fails or serves a new build, with the
// page's files kept by its service worker. Run by the web
// build's tests (web/CMakeLists.txt):
//   node --test page_test.js
// with TANSHUKU_SITE (the page's folder), TANSHUKU_UTF8_FRONT_END (the
// native front end, whose screen the page's must equal), TANSHUKU_SCREEN
// (the script that draws a terminal's screen), TANSHUKU_STAMP_SITE,
// TANSHUKU_WORKER_TEMPLATE and TANSHUKU_PAGE_FILES (what writes a build's
// service worker, which the test runs for a build of its own) and NODE_PATH
// (the npm packages of the web build).
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { spawn, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const site = process.env.TANSHUKU_SITE;
const pageUrl = 'file://' + path.join(site, 'index.html');
const kColumns = 86;
const kMenuLastLine = '５，半波長ダイポールアンテナの計算';

// The times the tests see depend on the machine and its load: they are
// not asserted, but written where TANSHUKU_PAGE_TIMES names a file, one
// "name milliseconds" line each, which bench/page reports.
function recordTime(name, milliseconds) {
  const file = process.env.TANSHUKU_PAGE_TIMES;
  if (file) fs.appendFileSync(file, `${name} ${milliseconds.toFixed(1)}\n`);
}

let browser;
test.before(async () => {
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    args: [
      '--no-sandbox',
      '--headless=new',
      '--allow-file-access-from-files',
      '--enable-precise-memory-info',
    ],
  });
});
test.after(() => browser.close());

// Times are taken in the page: from the start of its loading to the menu on
// screen, and from the last Return pressed to the screen that answers it.
function watchTheScreen() {
  window.returnPressedAt = 0;  // the page's loading began
  window.policyViolations = [];
  document.addEventListener('securitypolicyviolation', (event) =>
    window.policyViolations.push(`${event.violatedDirective} ${event.blockedURI}`),
  );
  document.addEventListener(
    'keydown',
    (event) => {
      if (event.key === 'Enter') window.returnPressedAt = performance.now();
    },
    true,
  );
  document.addEventListener(
    'pointerdown',
    () => {
      window.returnPressedAt = performance.now();
    },
    true,
  );
  // Resolves with the milliseconds since Return once the screen holds text
  // more than count - 1 times.
  window.screenShows = (text, count) =>
    new Promise((resolve) => {
      const shows = () => {
        const page = window.tanshukuPage;
        return page && page.screenText().split(text).length > count;
      };
      const check = () => {
        if (!shows()) return false;
        resolve(performance.now() - window.returnPressedAt);
        return true;
      };
      // The terminal draws once a frame: the screen is looked at as often.
      const everyFrame = () => check() || requestAnimationFrame(everyFrame);
      everyFrame();
    });
}

async function openPage(device, { url = pageUrl, context = browser, menu = true, setUp = null, languages = null } = {}) {
  const page = await context.newPage();
  if (device) await page.emulate(device);
  else await page.setViewport({ width: 900, height: 900 });
  await page.evaluateOnNewDocument(watchTheScreen);
  if (setUp) await page.evaluateOnNewDocument(setUp);
  // The browser's languages, as the user has set them.
  if (languages) {
    await page.evaluateOnNewDocument((list) => Object.defineProperty(navigator, 'languages', { get: () => list }), languages);
  }
  // What the page says on the console beyond the ordinary.
  const said = [];
  page.on('console', (message) => {
    if (['error', 'warn', 'warning'].includes(message.type())) said.push(message.text());
  });
  await page.goto(url);
  const menuMilliseconds = menu ? await screenShows(page, kMenuLastLine) : 0;
  return { page, menuMilliseconds, said };
}

const policyViolations = (page) => page.evaluate(() => window.policyViolations);

// The rightmost blanks of the screen's lines, which terminals keep apart
// differently, are left out.
const rightTrimmed = (text) => text.split('\n').map((line) => line.trimEnd()).join('\n');
const screen = async (page) =>
  rightTrimmed(await page.evaluate(() => window.tanshukuPage.screenText()));

// Waits until the screen holds text (more than count - 1 times), and returns
// the milliseconds since Return was last pressed.
async function screenShows(page, text, count = 1) {
  return page.evaluate(
    (wanted, times) =>
      Promise.race([
        window.screenShows(wanted, times),
        new Promise((_, reject) =>
          setTimeout(() => reject(new Error('the screen never showed ' + wanted)), 15000),
        ),
      ]),
    text,
    count,
  );
}

async function typeAnswer(page, answer) {
  await page.focus('.xterm-helper-textarea');
  await page.keyboard.type(answer);
  await page.keyboard.press('Enter');
}

// What the native front end shows on a terminal of the page's width after
// the same answers, each typed once the previous screen has come.
function nativeScreen(answers) {
  return new Promise((resolve) => {
    const frontEnd = process.env.TANSHUKU_UTF8_FRONT_END;
    const command = `stty cols ${kColumns} rows 50; exec ${frontEnd}`;
    const child = spawn('script', ['-qfec', command, '/dev/null']);
    const output = [];
    child.stdout.on('data', (chunk) => output.push(chunk));
    let next = 0;
    const typeNext = () => {
      if (next === answers.length) {
        setTimeout(() => child.kill(), 500);
        return;
      }
      child.stdin.write(answers[next++] + '\r');
      setTimeout(typeNext, 400);
    };
    setTimeout(typeNext, 800);
    child.on('close', () => {
      const drawn = spawnSync(process.env.TANSHUKU_SCREEN, [String(kColumns), '1000'], {
        input: Buffer.concat(output),
      });
      resolve(rightTrimmed(drawn.stdout.toString().replace(/\n+$/, '')));
    });
  });
}

// The design tracker under node, fed dialogues built from the program's
// contract: each step the program's output (in code page 932, as iconv
// writes it) or a line handed to it, a run started or ended; what it
// offers the panel, in order.
const contract = require(path.join(site, 'program_contract.js'));
const DesignTracker = require(path.join(site, 'design_tracker.js'));
const inCodePage932 = (text) => spawnSync('iconv', ['-f', 'UTF-8', '-t', 'CP932'], { input: text }).stdout;

test('the design tracker gives the design of menu 1 just typed, and only that', () => {
  const L = contract.loadingCoil;
  const menu = ['out', '５，半波長ダイポールアンテナの計算\r\n' + contract.kMenuLastLine];
  const upToFrequency = (diameter, ...lengthLines) => [
    menu, ['line', '1'], ['out', '\r\n  リターンキーを押してください\r\n'], ['line', ''],
    ['out', ' \r\n' + L.kDiameterQuestion], ['line', diameter],
    ['out', ' \r\n' + L.kLengthQuestion], ...lengthLines.map((line) => ['line', line]),
    ['out', ' \r\n' + L.kFrequencyQuestion]];
  const result = ['out', ' \r\n' + L.kInductanceText + ' 27.0697 μヘンリーです\r\n'];
  const base = { frequency: '7.05', length: '5', diameter: '2', tip: null };
  const cases = [
    { name: 'base loading, answers with blanks and words after the number',
      steps: [['start'], ...upToFrequency(' 2 ', '5'), ['line', '7.05 MHz'], ['out', L.kLoadingQuestion],
        ['line', 'y'], result, ['out', 'リターンキーを押してください\r\n'], ['line', ''], menu, ['line', '5']],
      offers: [base, null] },
    { name: 'a tip design; the program waits on past a blank line',
      steps: [['start'], ...upToFrequency('2', ' ', '5'), ['line', '7.05'], ['out', L.kLoadingQuestion], ['line', 'No'],
        ['out', ' \r\nアンテナ先端部の長さは？ｍですか？？？\r\n' + L.kTipLengthQuestion], ['line', '2.5'], result],
      offers: [{ ...base, tip: '2.5' }] },
    { name: 'a blank before N keeps base loading; the result line comes cut inside a character',
      steps: [['start'], ...upToFrequency('2', '5'), ['line', '7.05'], ['out', L.kLoadingQuestion], ['line', ' N'],
        ['cut', ' \r\n' + L.kInductanceText]],
      offers: [base] },
    { name: 'a slip taken back: the run started again is given the answers before it again',
      steps: [['start'], ...upToFrequency('2', '5'), ['line', 'abc'], ['end'],
        ['start'], ...upToFrequency('2', '5'), ['line', '7.05'], ['out', L.kLoadingQuestion], ['line', 'Y'], result],
      offers: [base] },
    { name: 'an error, a new run at the menu, and an element too long',
      steps: [['start'], ...upToFrequency('2', '5'), ['line', '0'], ['out', L.kLoadingQuestion], ['line', 'N'],
        ['out', 'Runtime error 200 at $0000ABCD\r\n'], ['end'], ['start'], menu, ['line', '1'],
        ['out', ' \r\n' + L.kDiameterQuestion], ['line', '2'], ['out', ' \r\n' + L.kLengthQuestion], ['line', '12'],
        ['out', ' \r\n' + L.kFrequencyQuestion], ['line', '7'], ['out', L.kLoadingQuestion], ['line', 'Y'],
        ['out', 'このソフトは、ローディングアンテナ用です。定数を再確認してください']],
      offers: [] },
    { name: 'a design, then Ctrl-C',
      steps: [['start'], ...upToFrequency('2', '5'), ['line', '7.05'], ['out', L.kLoadingQuestion], ['line', ''],
        result, ['end']],
      offers: [base, null] },
  ];
  for (const { name, steps, offers } of cases) {
    const offered = [];
    const tracker = DesignTracker.create({ contract, onDesign: (design) => offered.push(design) });
    for (const [kind, text] of steps) {
      if (kind === 'start') tracker.runStarted();
      else if (kind === 'end') tracker.runEnded();
      else if (kind === 'out') tracker.output(inCodePage932(text));
      else if (kind === 'cut') {
        // After the line end and the first two characters, in the third.
        const bytes = inCodePage932(text);
        tracker.output(bytes.subarray(0, 8));
        tracker.output(bytes.subarray(8));
      }
      else tracker.line(inCodePage932(text + '\n'));
    }
    assert.deepStrictEqual(offered, offers, name);
  }
});

const kDesign = ['5', '7.05', '2', ''];
const kDesignPrompts = ['中心周波数は', 'アンテナの直径は', 'リターンキーを押してください', kMenuLastLine];

test('a design through menu 5, typed as keys, shows what the native front end shows', async () => {
  const { page, menuMilliseconds, said } = await openPage();
  recordTime('menu', menuMilliseconds);
  for (let i = 0; i < kDesign.length; ++i) {
    await typeAnswer(page, kDesign[i]);
    recordTime('answer', await screenShows(page, kDesignPrompts[i], i === kDesign.length - 1 ? 2 : 1));
  }
  assert.strictEqual(await screen(page), await nativeScreen(kDesign));
  assert.deepStrictEqual(await policyViolations(page), []);
  // Opened from its file, the page is quiet on the console.
  assert.deepStrictEqual(said, []);
  // The page's policy lets no script run but its own files.
  const injected = await page.evaluate(() => {
    const script = document.createElement('script');
    script.textContent = 'window.injected = true';
    document.body.append(script);
    return window.injected === true;
  });
  assert.strictEqual(injected, false);
  await page.close();
});

// nec2c as the page's check will run it: Debian's source built as
// WebAssembly, a fresh instance for every run, its files in memory. Its
// report of a deck is Debian's nec2c's to the last printed digit, but for
// the run's times.
test("nec2c built for the page reports a deck as Debian's nec2c does", async () => {
  const createNec2c = require(process.env.TANSHUKU_NEC2C_MODULE);
  const replays = process.env.TANSHUKU_NEC_REPLAYS;
  const replay = fs.readFileSync(path.join(replays, 'worked_whip.replay'), 'utf8');
  const decks = [...replay.matchAll(/^deck:\n([\s\S]*?)^report:$/gm)].map((found) => found[1]);
  const withoutTimes = (report) =>
    report
      .split('\n')
      .filter((line) => !line.includes('msec'))
      .join('\n');
  // The first run's deck, and the last: a sweep of many frequencies.
  for (const deck of [decks[0], decks[decks.length - 1]]) {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'nec2c-'));
    fs.writeFileSync(path.join(folder, 'deck.nec'), deck);
    const native = spawnSync('nec2c', ['-i', 'deck.nec', '-o', 'report.txt'], { cwd: folder });
    assert.strictEqual(native.status, 0);
    const expected = fs.readFileSync(path.join(folder, 'report.txt'), 'utf8');
    fs.rmSync(folder, { recursive: true });
    let status;
    const nec2c = await createNec2c({
      print() {},
      printErr() {},
      onExit(code) {
        status = code;
      },
      // Its exit() ends the instance, not node.
      quit(code, ending) {
        throw ending;
      },
    });
    nec2c.FS.writeFile('/deck.nec', deck);
    nec2c.callMain(['-i', '/deck.nec', '-o', '/report.txt']);
    assert.strictEqual(status, 0);
    const report = nec2c.FS.readFile('/report.txt', { encoding: 'utf8' });
    assert.ok(report.includes('ANTENNA INPUT PARAMETERS'));
    assert.strictEqual(withoutTimes(report), withoutTimes(expected));
  }
});

// The NEC2 check of a design in the page opened from its file, its worker
// made from a Blob as the page's policy admits.
async function checkPage() {
  return (await openPage()).page;
}

// Starts a check in the page: window.necChecks[number] collects its
// callbacks, done once one of them ends it.
function startCheck(page, link, language, runTimeLimitMs = undefined) {
  return page.evaluate(
    (designLink, checkLanguage, runLimit) => {
      window.necChecks = window.necChecks || [];
      const record = { calls: [], startedAt: performance.now() };
      record.ended = new Promise((resolve) => {
        const end = (kind) => (value) => {
          record.calls.push({ kind, value });
          resolve({ kind, value, milliseconds: performance.now() - record.startedAt });
        };
        record.check = NecCheck.start({
          link: designLink,
          language: checkLanguage,
          runTimeLimitMs: runLimit,
          onProgress: (step) => record.calls.push({ kind: 'progress', value: step }),
          onRefused: end('refused'),
          onFailed: end('failed'),
          onTimedOut: end('timedOut'),
          onDone: end('done'),
        });
      });
      return window.necChecks.push(record) - 1;
    },
    link,
    language,
    runTimeLimitMs,
  );
}
const checkEnded = (page, number) => page.evaluate((n) => window.necChecks[n].ended, number);

// tanshuku-nec itself, the default build's, on the same design.
function nativeCheck(options, lang) {
  const env = { ...process.env, LANG: lang };
  delete env.LC_ALL;
  delete env.LC_MESSAGES;
  return spawnSync(process.env.TANSHUKU_NEC_PROGRAM, options, { env, encoding: 'utf8' });
}

// The same members, strings and nulls alike, numbers to a share of their
// size (1e-6 unless given); members named in leftOut are not compared.
function assertNumbersAgree(actual, expected, where = 'json', { share = 1e-6, leftOut = [] } = {}) {
  if (typeof expected === 'number') {
    const tolerance = share * Math.max(Math.abs(expected), Math.abs(actual));
    assert.ok(Math.abs(actual - expected) <= tolerance, `${where}: ${actual}, not ${expected}`);
  } else if (expected !== null && typeof expected === 'object') {
    assert.deepStrictEqual(Object.keys(actual), Object.keys(expected), where);
    for (const key of Object.keys(expected)) {
      if (!leftOut.includes(key)) assertNumbersAgree(actual[key], expected[key], `${where}.${key}`, { share, leftOut });
    }
  } else {
    assert.strictEqual(actual, expected, where);
  }
}

const kWorkedLink = 'frequency=7.05&length=5&diameter=2&tip=2.5';
const kWorkedOptions = ['--frequency', '7.05', '--length', '5', '--diameter', '2', '--tip', '2.5'];

test("the page's NEC2 check of a design gives tanshuku-nec's results, refusals and cancels", async () => {
  const page = await checkPage();
  const nativeStarted = performance.now();
  const nativeJson = nativeCheck([...kWorkedOptions, '--json'], 'C');
  recordTime('nec check native', performance.now() - nativeStarted);
  assert.strictEqual(nativeJson.status, 0, nativeJson.stderr);
  for (const [language, lang] of [['en', 'C'], ['ja', 'ja_JP.UTF-8']]) {
    const ended = await checkEnded(page, await startCheck(page, kWorkedLink, language));
    assert.strictEqual(ended.kind, 'done', JSON.stringify(ended.value));
    recordTime('nec check', ended.milliseconds);
    assert.strictEqual(ended.value.screen, nativeCheck(kWorkedOptions, lang).stdout);
    assertNumbersAgree(JSON.parse(ended.value.json), JSON.parse(nativeJson.stdout));
  }
  // A bad value is refused with tanshuku-nec's line.
  const refusedCheck = await startCheck(page, kWorkedLink + '&q=-1', 'ja');
  const refused = await checkEnded(page, refusedCheck);
  const refusedCalls = await page.evaluate((n) => window.necChecks[n].calls.map((call) => call.kind), refusedCheck);
  assert.deepStrictEqual(refusedCalls, ['refused'], 'a refused design runs nothing');
  const nativeRefusal = nativeCheck([...kWorkedOptions, '--q', '-1'], 'ja_JP.UTF-8');
  assert.strictEqual(nativeRefusal.status, 2);
  assert.strictEqual(refused.kind, 'refused');
  assert.strictEqual(refused.value, nativeRefusal.stderr.trimEnd());
  // Cancelled at its first step, a check says nothing more, and the next
  // one runs.
  await page.evaluate(
    (link) =>
      new Promise((resolve) => {
        const calls = [];
        const check = NecCheck.start({
          link,
          language: 'en',
          onProgress: () => {
            calls.push('progress');
            if (calls.length === 1) check.cancel();
          },
          onDone: () => calls.push('done'),
          onFailed: () => calls.push('failed'),
        });
        window.cancelledCalls = calls;
        const wait = () => (calls.length > 0 ? resolve() : setTimeout(wait, 10));
        wait();
      }),
    kWorkedLink,
  );
  const next = await checkEnded(page, await startCheck(page, kWorkedLink, 'en'));
  assert.strictEqual(next.kind, 'done');
  assert.deepStrictEqual(await page.evaluate(() => window.cancelledCalls), ['progress']);
  // Each nec2c run given a time limit shorter than any run takes: the check
  // is stopped at its first run, and the page goes on answering.
  const kTooShortMs = 0.001;
  const timedOut = await checkEnded(page, await startCheck(page, kWorkedLink, 'en', kTooShortMs));
  assert.deepStrictEqual([timedOut.kind, timedOut.value], ['timedOut', kTooShortMs / 1000]);
  await typeAnswer(page, '5');
  await screenShows(page, '中心周波数は');
  assert.deepStrictEqual(await policyViolations(page), []);
  await page.close();
});

test('a full-width answer pasted at the menu is folded to the menu number', async () => {
  const { page } = await openPage();
  await page.focus('.xterm-helper-textarea');
  const session = await page.createCDPSession();
  await session.send('Input.insertText', { text: '５' });
  await page.keyboard.press('Enter');
  await screenShows(page, '中心周波数は');
  assert.match(await screen(page), /５\n/);
  await page.close();
});

// A phone's screen, 390 × 844.
const kPhone = puppeteer.KnownDevices['iPhone 12'];

const tap = async (page, keys) => {
  for (const key of keys) await page.tap(`#key-row button[data-key="${key}"]`);
};

// Whether the terminal's cells from column first up to column end lie in
// the visible part of its box, which scrolls sideways.
const cellsInView = (page, first, end) =>
  page.evaluate(
    (from, to) => {
      const box = document.getElementById('terminal-frame');
      const boxLeft = box.getBoundingClientRect().left + box.clientLeft;
      const screen = document.querySelector('.xterm-screen').getBoundingClientRect();
      const cell = screen.width / window.tanshukuPage.columns();
      const kRounding = 0.5;
      return (
        screen.left + from * cell >= boxLeft - kRounding &&
        screen.left + to * cell <= boxLeft + box.clientWidth + kRounding
      );
    },
    first,
    end,
  );

test('the key row types a design on a phone', async () => {
  const { page } = await openPage(puppeteer.KnownDevices['Pixel 5']);
  await tap(page, ['5', 'return']);
  await screenShows(page, '中心周波数は');
  await tap(page, ['7', '.', '0', '5', 'return']);
  await screenShows(page, 'アンテナの直径は');
  await tap(page, ['2', '3', 'backspace', 'return']);
  await screenShows(page, 'エレメントの長さは 10.379ｍ');
  await page.close();
});

test('on a phone the digit typed and the cursor stay in view at the right of a question', async () => {
  const cases = [
    { keys: ['1', 'return', 'return'], question: 'アンテナエレメントの直径（ｍｍ）を、入力してください     ' },
    { keys: ['2', 'return'], question: 'コイルの半径はどれだけですか？(mm)     0 を入力するとヘルプがでます     ' },
  ];
  for (const { keys, question } of cases) {
    const { page } = await openPage(kPhone);
    await tap(page, keys);
    await screenShows(page, question);
    await tap(page, ['7']);
    await screenShows(page, question + '7');
    const cursor = await page.evaluate(() => window.tanshukuPage.cursorColumn());
    assert.ok(cursor > 56, `the cursor is at column ${cursor}`);
    assert.ok(await cellsInView(page, cursor - 1, cursor + 1), `${question}: column ${cursor} hidden`);
    await page.close();
  }
});

test('on a phone the fit view shows a whole 85-column line, and the usual view comes back', async () => {
  const { page } = await openPage(kPhone);
  const answers = [
    [['3', 'return'], 'リターンキーを押してください'],
    [['return'], '周波数は？ＭＨｚですか'],
    [['1', '4', 'return'], 'エレメントの長さは'],
    [['5', 'return'], 'エレメントの直径は'],
    [['2', '0', 'return'], 'でのインピーダンスは'],
  ];
  for (const [taps, next] of answers) {
    await tap(page, taps);
    await screenShows(page, next);
  }
  const kWidestLine = 85;
  assert.ok(!(await cellsInView(page, 0, kWidestLine)), 'the usual view shows a whole line');
  await page.tap('#fit-view');
  assert.ok(await cellsInView(page, 0, kWidestLine), 'the fit view cuts the line');
  assert.match(await screen(page), /オームです\n/);
  await page.tap('#fit-view');
  assert.ok(!(await cellsInView(page, 0, kWidestLine)), 'the usual size did not come back');
  await page.close();
});

test('every key that the notes and the offer after an error name is on the key row', async () => {
  const { page } = await openPage(kPhone);
  const buttons = await page.$$eval('#key-row button', (all) => all.map((b) => b.dataset.key));
  const notes = await page.$eval('#notes', (element) => element.textContent);
  await tap(page, ['5', 'return']);
  await screenShows(page, '中心周波数は');
  await tap(page, ['.', '.', 'return']);
  await screenShows(page, 'で質問に戻ります');
  const offer = (await screen(page)).split('\n').find((line) => line.includes('で質問に戻ります'));
  // The keys named: Ctrl- and a letter, and the letters standing alone
  // (not in a name such as nec2c).
  const named = [...(notes + offer).matchAll(/Ctrl-([A-Z])|(?<![A-Za-z0-9])([a-z])(?![A-Za-z0-9])/g)];
  const keys = named.map(([, control, letter]) => (control ? `ctrl-${control.toLowerCase()}` : letter));
  assert.deepStrictEqual([...new Set(keys)].sort(), ['ctrl-c', 'q', 'y']);
  for (const key of keys) {
    assert.ok(buttons.some((button) => button.toLowerCase() === key), `no button for ${key}`);
  }
  // The front end folds full-width digits: its advice names what it cannot.
  assert.match(await screen(page), /コンマ、単位などの英字、二つ目の小数点は使えません/);
  const steps = [
    [['return'], '中心周波数は', 2],
    [['return'], 'で質問に戻ります', 2],
    [['Y', 'return'], '中心周波数は', 3],
    [['return'], 'で質問に戻ります', 3],
  ];
  for (const [taps, shown, count] of steps) {
    await tap(page, taps);
    await screenShows(page, shown, count);
  }
  const ended = async (taps, told) => {
    await tap(page, taps);
    await page.waitForFunction(() => window.tanshukuPage.state() === 'ended');
    assert.strictEqual(await page.$eval('#ended-text', (element) => element.textContent), told);
  };
  await ended(['q', 'return'], 'プログラムは終了しました（終了ステータス 106）。');
  await page.tap('#start-again');
  await screenShows(page, kMenuLastLine, 2);
  await ended(['ctrl-c'], 'Ctrl-C でプログラムを終了しました。');
  await page.close();
});

test('a slip is taken back and answered again', async () => {
  const { page } = await openPage();
  await typeAnswer(page, '5');
  await screenShows(page, '中心周波数は');
  await typeAnswer(page, 'abc');
  await screenShows(page, 'で質問に戻ります');
  await page.keyboard.press('Enter');
  await screenShows(page, '中心周波数は', 2);
  for (let i = 0; i < 3; ++i) await page.keyboard.press('Backspace');
  await typeAnswer(page, '7.05');
  await screenShows(page, 'アンテナの直径は');
  await typeAnswer(page, '2');
  await screenShows(page, 'エレメントの長さは 10.379ｍ');
  assert.strictEqual(await page.evaluate(() => window.tanshukuPage.state()), 'running');
  await page.close();
});

// A NEC2 check of the test's own in the place of the page's: it keeps what
// each start was given, for the test to answer through its callbacks, and
// counts the cancels. The page's own check, loaded after it, leaves it in
// place.
function standInCheck() {
  const check = {
    starts: [],
    cancels: 0,
    start(options) {
      check.starts.push(options);
      return { cancel: () => ++check.cancels };
    },
  };
  Object.defineProperty(window, 'NecCheck', { get: () => check, set() {} });
  window.standInCheck = check;
}

// The panel's design fields, and the text of the panel's parts.
const panelFields = (page) =>
  page.$eval('#nec-design', (form) => {
    const names = ['frequency', 'length', 'diameter', 'loading', 'tip', 'q', 'conductor', 'model'];
    const value = (name) => form.elements.namedItem(name).value;
    return { ...Object.fromEntries(names.map((name) => [name, value(name)])), dipole: form.elements.dipole.checked };
  });
const textOf = (page, selector) => page.$eval(selector, (element) => element.textContent);
const answerCheck = (page, callback, value) =>
  page.evaluate((name, argument) => window.standInCheck.starts.at(-1)[name](argument), callback, value);

test('menu 1 typed as keys offers the NEC2 check of the design, whose panel runs it and shows it', async () => {
  const { page } = await openPage(null, { setUp: standInCheck, languages: ['ja-JP', 'en-US'] });
  assert.strictEqual(await textOf(page, '#nec-offer-button'), 'NEC2 で確かめる');
  const answers = [['1', 'リターンキーを押してください'], ['', '直径'], ['2', '長さ'], ['5', '周波数'], ['7.05', 'Ｙ  or  Ｎ'],
    ['N', '先端'], ['2.5', 'μヘンリーです']];
  for (const [answer, next] of answers) {
    await typeAnswer(page, answer);
    await screenShows(page, next);
  }
  await page.waitForSelector('#nec-offer:not([hidden])');
  assert.ok(await page.$eval('#nec-panel', (panel) => panel.hidden));
  await page.click('#nec-offer-button');
  const design = { frequency: '7.05', length: '5', diameter: '2', loading: 'tip', tip: '2.5' };
  const defaults = { q: '200', conductor: 'copper', model: '', dipole: false };
  assert.deepStrictEqual(await panelFields(page), { ...design, ...defaults });
  const link = 'frequency=7.05&length=5&diameter=2&tip=2.5';
  assert.strictEqual(await textOf(page, '#nec-link'), pageUrl + '#nec:' + link);
  await page.click('#nec-run');
  assert.deepStrictEqual(await page.evaluate(() => window.standInCheck.starts.map(({ link, language }) => ({ link, language }))),
    [{ link, language: 'ja' }]);
  await answerCheck(page, 'onProgress', { stage: 'sweeps', segments: 41, runs: 7, text: 'スイープ中' });
  assert.match(await textOf(page, '#nec-progress'), /スイープ中.*7 回/);
  // The terminal is the user's meanwhile: the menu's answer takes the offer away.
  await typeAnswer(page, '');
  await screenShows(page, kMenuLastLine, 2);
  await typeAnswer(page, '5');
  await screenShows(page, '中心周波数は');
  assert.ok(await page.$eval('#nec-offer', (offer) => offer.hidden));
  const sweep = [{ mhz: 6.9, swr: 3.4 }, { mhz: 7.05, swr: 1.1 }, { mhz: 7.2, swr: 2.9 }];
  const files = { nec: 'CM deck\nEN\n', maa: 'model\n', csv: 'MHz,SWR\n' };
  await answerCheck(page, 'onDone', { screen: 'tanshuku-nec の画面', json: '{}', files, sweep, matchedOhm: 50, notes: ['一言'] });
  assert.strictEqual(await textOf(page, '#nec-screen'), 'tanshuku-nec の画面');
  assert.strictEqual(await textOf(page, '#nec-notes'), '一言');
  const curve = await page.$eval('#nec-curve', (svg) => ({
    points: svg.querySelector('.curve').getAttribute('points').split(' ').length,
    marks: ['.swr-two', '.design'].filter((mark) => svg.querySelector(mark)).length,
    labels: [...svg.querySelectorAll('text')].map((text) => text.textContent),
  }));
  assert.deepStrictEqual([curve.points, curve.marks], [3, 2]);
  assert.ok(['MHz', 'SWR', '7.0', '2'].every((label) => curve.labels.includes(label)), curve.labels.join(' '));
  // Each download, clicked, arrives whole under its name (a Blob URL, which
  // the page's policy lets it download).
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tanshuku-downloads-'));
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  const expected = { nec: files.nec, maa: files.maa, csv: files.csv, json: '{}' };
  for (const [kind, text] of Object.entries(expected)) {
    const name = `tanshuku-nec-7.05MHz.${kind}`;
    await page.click(`#nec-downloads a[data-file="${kind}"]`);
    const file = path.join(folder, name);
    while (!fs.existsSync(file)) await new Promise((resolve) => setTimeout(resolve, 50));
    assert.strictEqual(fs.readFileSync(file, 'utf8'), text, name);
  }
  fs.rmSync(folder, { recursive: true });
  assert.deepStrictEqual(await policyViolations(page), []);
  await page.close();
});

test('a #nec: link opens the panel with its design and checks it; a refusal is told in one line', async () => {
  const link = 'frequency=14.1&length=2&diameter=10&base&q=150&conductor=aluminium&dipole&coil-radius=20&pitch=2&wire=1&lumped';
  const url = pageUrl + '#nec:' + link;
  const { page } = await openPage(null, { url, setUp: standInCheck, languages: ['en-GB', 'ja'] });
  assert.ok(await page.$eval('#nec-panel', (panel) => !panel.hidden));
  assert.strictEqual(await textOf(page, '#nec-title'), 'Check with NEC2 (nec2c)');
  assert.strictEqual(await page.evaluate(() => window.standInCheck.starts[0].language), 'en');
  assert.deepStrictEqual(await panelFields(page), {
    frequency: '14.1', length: '2', diameter: '10', loading: 'base', tip: '', q: '150', conductor: 'aluminium',
    model: 'lumped', dipole: true,
  });
  assert.strictEqual(await textOf(page, '#nec-link'), pageUrl + '#nec:' + link);
  await answerCheck(page, 'onRefused', '--q: 0 は正でなければなりません');
  assert.strictEqual(await textOf(page, '#nec-message'), '--q: 0 は正でなければなりません');
  // A later link in the address is checked in its turn; cancelled, its worker is ended.
  await page.evaluate(() => {
    location.hash = '#nec:frequency=7.05&length=5&diameter=2&tip=2.5';
  });
  await page.waitForFunction(() => window.standInCheck.starts.length === 2);
  assert.strictEqual(await page.$eval('#nec-message', (message) => message.hidden), true);
  assert.strictEqual((await panelFields(page)).tip, '2.5');
  await page.click('#nec-cancel');
  assert.strictEqual(await page.evaluate(() => window.standInCheck.cancels), 1);
  await answerCheck(page, 'onFailed', 'too late');
  assert.strictEqual(await page.$eval('#nec-message', (message) => message.hidden), true);
  await page.close();
});

// A file the panel offers, downloaded as the user would (the page's policy
// lets it download; it fetches no Blob).
async function downloadedFiles(page, names) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tanshuku-downloads-'));
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  const texts = {};
  for (const [kind, name] of Object.entries(names)) {
    await page.click(`#nec-downloads a[data-file="${kind}"]`);
    const file = path.join(folder, name);
    while (!fs.existsSync(file)) await new Promise((resolve) => setTimeout(resolve, 50));
    texts[kind] = fs.readFileSync(file, 'utf8');
  }
  fs.rmSync(folder, { recursive: true });
  return texts;
}

// Designs checked through the page's address, as a link opens them: the
// panel's screen and JSON against tanshuku-nec's own. The helix runs in
// the wound design; the page's nec2c is built with another C library, whose
// last digits differ on the helix's large decks, so its search may settle
// a step apart: its numbers are held to 0.1 %, its count of nec2c runs
// (which may differ by a run or two) is not compared, and neither is its
// screen, whose figures are rounded to a few digits that a step apart may
// change by more than 0.1 % (the two lumped designs hold the screen).
const kAddressChecks = [
  { name: 'nec check', link: kWorkedLink, options: kWorkedOptions, languages: ['en-US'], lang: 'C' },
  {
    name: 'nec check dipole',
    link: 'frequency=14.1&length=2&diameter=10&base&dipole&conductor=aluminium',
    options: ['--frequency', '14.1', '--length', '2', '--diameter', '10', '--base', '--dipole', '--conductor', 'aluminium'],
    languages: ['ja-JP'],
    lang: 'ja_JP.UTF-8',
  },
  {
    name: 'nec check measured',
    link: kWorkedLink + '&coil-radius=25&pitch=2&wire=1&lumped&measured=7.2&measured-resistance=30&turns=24.9',
    options: [...kWorkedOptions, '--coil-radius', '25', '--pitch', '2', '--wire', '1', '--lumped', '--measured', '7.2',
      '--measured-resistance', '30', '--turns', '24.9'],
    languages: ['ja-JP'],
    lang: 'ja_JP.UTF-8',
  },
  {
    name: 'nec check helix',
    link: kWorkedLink + '&coil-radius=25&pitch=2&wire=1',
    options: [...kWorkedOptions, '--coil-radius', '25', '--pitch', '2', '--wire', '1'],
    languages: ['en-US'],
    lang: 'C',
    wound: { share: 1e-3, leftOut: ['nec2cRuns'] },
  },
];

test("a design in the page's address is checked as tanshuku-nec checks it; a bad one is refused in one line", async () => {
  for (const design of kAddressChecks) {
    const nativeStarted = performance.now();
    const nativeScreen = nativeCheck(design.options, design.lang);
    recordTime(design.name + ' native', performance.now() - nativeStarted);
    assert.strictEqual(nativeScreen.status, 0, nativeScreen.stderr);
    const { page } = await openPage(null, { url: pageUrl + '#nec:' + design.link, languages: design.languages });
    const started = performance.now();
    await page.waitForSelector('#nec-result:not([hidden])', { timeout: 0 });
    recordTime(design.name, performance.now() - started);
    const megahertz = new URLSearchParams(design.link).get('frequency');
    const files = await downloadedFiles(page, { json: `tanshuku-nec-${megahertz}MHz.json` });
    const nativeJson = JSON.parse(nativeCheck([...design.options, '--json'], 'C').stdout);
    if (design.wound) {
      assert.notStrictEqual(nativeJson.helixTurns, null);
      assertNumbersAgree(JSON.parse(files.json), nativeJson, design.name, design.wound);
    } else {
      assert.strictEqual(await textOf(page, '#nec-screen'), nativeScreen.stdout, design.name);
      assertNumbersAgree(JSON.parse(files.json), nativeJson, design.name);
    }
    assert.deepStrictEqual(await policyViolations(page), []);
    await page.close();
  }
  // A bad value: tanshuku-nec's one line, and no nec2c run.
  const { page } = await openPage(null, { url: pageUrl + '#nec:' + 'frequency=0&length=5&diameter=2&tip=2.5', languages: ['ja'] });
  await page.waitForSelector('#nec-message:not([hidden])');
  const refusal = nativeCheck(['--frequency', '0', '--length', '5', '--diameter', '2', '--tip', '2.5'], 'ja_JP.UTF-8');
  assert.strictEqual(refusal.status, 2);
  assert.strictEqual(await textOf(page, '#nec-message'), refusal.stderr.trimEnd());
  assert.ok(await page.$eval('#nec-result', (result) => result.hidden));
  await page.close();
});

// An analyser's file chosen in the panel: the cut as tanshuku-nec makes it
// from the same file, and the measured SWR drawn beside the model's; a
// file of another kind refused in tanshuku-nec's line.
test("an analyser's file chosen on the device gives tanshuku-nec's cut and its SWR beside the model's", async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tanshuku-s1p-'));
  const lines = ['! a whip as built, near 7.18 MHz', '# MHZ Z RI R 50'];
  for (let step = 0; step <= 60; step += 1) {
    const mhz = 6.9 + step * 0.01;
    lines.push(`${mhz.toFixed(2)} ${(30 + (mhz - 7.18) * 5).toFixed(3)} ${((mhz - 7.18) * 330).toFixed(3)}`);
  }
  fs.writeFileSync(path.join(folder, 'whip.s1p'), lines.join('\r\n') + '\r\n');
  fs.writeFileSync(path.join(folder, 'two-port.s2p'), '# MHZ S RI\n7 0 0 1 0 1 0 0 0\n');
  const link = kWorkedLink + '&coil-radius=25&pitch=2&wire=1&lumped';
  const options = [...kWorkedOptions, '--coil-radius', '25', '--pitch', '2', '--wire', '1', '--lumped'];
  const { page } = await openPage(null, { url: pageUrl + '#nec:' + link, languages: ['en-US'] });
  await page.waitForSelector('#nec-result:not([hidden])', { timeout: 0 });
  const choose = async (name) => {
    const input = await page.$('#nec-design input[name="s1p"]');
    await input.uploadFile(path.join(folder, name));
    await page.evaluate(() => {
      document.getElementById('nec-result').hidden = true;
      document.getElementById('nec-run').click();
    });
  };
  await choose('whip.s1p');
  await page.waitForSelector('#nec-result:not([hidden])', { timeout: 0 });
  const native = spawnSync(process.env.TANSHUKU_NEC_PROGRAM, [...options, '--s1p', 'whip.s1p'], {
    cwd: folder, env: { ...process.env, LC_ALL: 'C' }, encoding: 'utf8',
  });
  assert.strictEqual(native.status, 0, native.stderr);
  assert.match(native.stdout, /Trim: wind /);
  assert.strictEqual(await textOf(page, '#nec-screen'), native.stdout);
  assert.deepStrictEqual(
    await page.$$eval('#nec-curve polyline', (curves) => curves.map((curve) => curve.getAttribute('class'))),
    ['curve', 'measured'],
  );
  await choose('two-port.s2p');
  await page.waitForSelector('#nec-message:not([hidden])', { timeout: 0 });
  const refusal = spawnSync(process.env.TANSHUKU_NEC_PROGRAM, [...options, '--s1p', 'two-port.s2p'], {
    cwd: folder, env: { ...process.env, LC_ALL: 'C' }, encoding: 'utf8',
  });
  assert.strictEqual(refusal.status, 2);
  assert.strictEqual(await textOf(page, '#nec-message'), refusal.stderr.trimEnd());
  assert.deepStrictEqual(await policyViolations(page), []);
  await page.close();
  fs.rmSync(folder, { recursive: true });
});

test('menu 0 ends the program, and the page starts it again', async () => {
  const { page } = await openPage();
  await typeAnswer(page, '0');
  await page.waitForFunction(() => window.tanshukuPage.state() === 'ended');
  assert.ok(await page.$eval('#ended', (element) => !element.hidden));
  await page.click('#start-again');
  await page.waitForFunction(() => window.tanshukuPage.state() === 'running');
  await screenShows(page, kMenuLastLine, 2);
  await typeAnswer(page, '5');
  await screenShows(page, '中心周波数は');
  await page.close();
});

test('the terminal and the typed line follow the window, its scrollbar beside the lines', async () => {
  const { page } = await openPage();
  const columns = () => page.evaluate(() => window.tanshukuPage.columns());
  // In the box, right of the last column, where the box scrolls sideways too.
  const scrollbarBesideLines = () =>
    page.evaluate(() => {
      const box = document.getElementById('terminal-frame');
      box.scrollLeft = box.scrollWidth;
      const screen = document.querySelector('.xterm-screen').getBoundingClientRect();
      const bar = document.querySelector('.xterm .scrollbar.vertical').getBoundingClientRect();
      const boxRight = box.getBoundingClientRect().left + box.clientLeft + box.clientWidth;
      return bar.left >= screen.right - 0.5 && bar.right <= boxRight + 0.5;
    });
  assert.ok(await scrollbarBesideLines(), 'the scrollbar is drawn over the lines');
  const before = await columns();
  assert.ok(before >= kColumns, `${before} columns`);
  const typed = 'x'.repeat(before + 10);
  await page.focus('.xterm-helper-textarea');
  await page.keyboard.type(typed);
  await screenShows(page, 'x'.repeat(10));
  await page.setViewport({ width: 1600, height: 900 });
  await page.waitForFunction((wider) => window.tanshukuPage.columns() > wider, {}, before + 10);
  await screenShows(page, typed);
  await page.setViewport({ width: 300, height: 900 });
  await page.waitForFunction((least) => window.tanshukuPage.columns() === least, {}, kColumns);
  assert.ok(await scrollbarBesideLines(), 'the scrollbar is drawn over the lines of a narrow window');
  await page.close();
});

test('a line cut at 4,095 bytes of a long paste is told', async () => {
  const { page } = await openPage();
  await page.evaluate(() => {
    window.longestTask = 0;
    new PerformanceObserver((list) => {
      for (const task of list.getEntries()) {
        window.longestTask = Math.max(window.longestTask, task.duration);
      }
    }).observe({ type: 'longtask' });
  });
  await page.focus('.xterm-helper-textarea');
  const session = await page.createCDPSession();
  await session.send('Input.insertText', { text: '5'.repeat(100000) });
  await page.keyboard.press('Enter');
  await screenShows(page, 'a line longer than 4095 bytes was cut there');
  recordTime('longest task during a paste', await page.evaluate(() => window.longestTask));
  await page.close();
});

// 200 in every run; TANSHUKU_RESTARTS asks for more, once.
const kRestarts = Number(process.env.TANSHUKU_RESTARTS || 200);

test(`${kRestarts} runs ended by Ctrl-C leave no instance of the program behind`, async () => {
  const { page } = await openPage();
  const session = await page.createCDPSession();
  const collected = async () => {
    for (let i = 0; i < 3; ++i) {
      await session.send('HeapProfiler.collectGarbage');
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    return page.evaluate(() => ({
      instances: ProgramHost.instancesAlive(),
      heap: performance.memory.usedJSHeapSize,
    }));
  };
  const before = await collected();
  await page.focus('.xterm-helper-textarea');
  for (let i = 0; i < kRestarts; ++i) {
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyC');
    await page.keyboard.up('Control');
    await page.waitForFunction(() => window.tanshukuPage.state() === 'ended');
    await page.click('#start-again');
    await page.waitForFunction(() => window.tanshukuPage.state() === 'running');
    await page.focus('.xterm-helper-textarea');
  }
  await screenShows(page, kMenuLastLine, 2);
  const after = await collected();
  console.log(`before: ${JSON.stringify(before)}; after ${kRestarts} restarts: ${JSON.stringify(after)}`);
  assert.ok(after.instances <= 2, `${after.instances} instances alive`);
  assert.ok(after.heap < before.heap + 16e6, `the heap grew from ${before.heap} to ${after.heap}`);
  assert.doesNotMatch(await screen(page), /Runtime error/);
  await page.close();
});

// The page's site served on the loopback address, with what the test asks
// of it: a delay for every answer, a fault for some files (a status, the
// file cut short, the connection dropped in it), a Cache-Control max-age,
// and the folder to serve (a new build).
const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
};

async function siteServer() {
  const serving = { folder: site, delay: 0, maxAge: 0, faults: {} };
  const timers = new Set();
  const answer = (name, response) => {
    const fault = serving.faults[name];
    if (typeof fault === 'number') return response.writeHead(fault).end();
    let bytes;
    try {
      bytes = fs.readFileSync(path.join(serving.folder, name));
    } catch {
      return response.writeHead(404).end();
    }
    const headers = { 'Content-Type': kTypes[path.extname(name)] || 'application/octet-stream' };
    if (serving.maxAge) headers['Cache-Control'] = `max-age=${serving.maxAge}`;
    const half = bytes.subarray(0, bytes.length >> 1);
    if (fault === 'cut') return response.writeHead(200, headers).end(half);
    response.writeHead(200, { ...headers, 'Content-Length': bytes.length });
    if (fault === 'dropped') response.write(half, () => response.destroy());
    else response.end(bytes);
  };
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://host').pathname.slice(1));
    const timer = setTimeout(() => {
      timers.delete(timer);
      answer(name || 'index.html', response);
    }, serving.delay);
    timers.add(timer);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    serving,
    close() {
      for (const timer of timers) clearTimeout(timer);
      server.closeAllConnections();
      server.close();
    },
  };
}

// A second build of the site: every file of the first with a mark of its
// own (a line at the end, a member of the manifest, bytes after an image's
// end), and its service worker written for them.
const kNewBuildMark = 'a newer build';
const kPageFiles = process.env.TANSHUKU_PAGE_FILES.split(',');
function markFile(file) {
  const marks = {
    '.js': `\n// ${kNewBuildMark}\n`,
    '.css': `\n/* ${kNewBuildMark} */\n`,
    '.html': `\n<!-- ${kNewBuildMark} -->\n`,
    '.png': kNewBuildMark,
  };
  const kind = path.extname(file);
  if (kind === '.webmanifest') {
    const manifest = JSON.parse(fs.readFileSync(file, 'utf8'));
    return fs.writeFileSync(file, JSON.stringify({ ...manifest, build: kNewBuildMark }));
  }
  assert.ok(marks[kind], `the test cannot mark ${file}`);
  fs.appendFileSync(file, marks[kind]);
}
function newBuild() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tanshuku-site-'));
  fs.cpSync(site, folder, { recursive: true });
  const names = kPageFiles;
  for (const name of names) markFile(path.join(folder, name));
  const written = spawnSync('cmake', [
    `-DSITE=${folder}`,
    `-DTEMPLATE=${process.env.TANSHUKU_WORKER_TEMPLATE}`,
    `-DFILES=${process.env.TANSHUKU_PAGE_FILES}`,
    '-P',
    process.env.TANSHUKU_STAMP_SITE,
  ]);
  assert.strictEqual(written.status, 0, String(written.stderr));
  return { folder, names };
}

// How many of the page's files, as the page gets them, are of the new build.
const filesOfNewBuild = (page, names) =>
  page.evaluate(
    async (files, mark) => {
      const texts = await Promise.all(files.map((name) => fetch(name).then((r) => r.text())));
      return texts.filter((text) => text.includes(mark)).length;
    },
    names,
    kNewBuildMark,
  );

// Has the browser look for a new service worker, and waits until the new
// one has taken over or failed: its state then, or none.
const updateWorker = (page) =>
  page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update().catch(() => {});
    const worker = registration.installing || registration.waiting;
    if (!worker) return 'none';
    await new Promise((resolve) => {
      const settled = () => ['activated', 'redundant'].includes(worker.state) && resolve();
      worker.addEventListener('statechange', settled);
      settled();
    });
    return worker.state;
  });

// A page served, in a browser profile of its own, whose files the service
// worker has kept.
async function keptPage(server) {
  const context = await browser.createBrowserContext();
  const { page } = await openPage(null, { url: server.url, context });
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    while (!navigator.serviceWorker.controller) await new Promise((r) => setTimeout(r, 50));
  });
  return { page, context };
}

test('a missing or broken file is told, and the page tried again', async () => {
  const server = await siteServer();
  const cases = [
    ['tanshuku.js', 404, 'tanshuku.js を読み込めませんでした'],
    ['program_host.js', 404, 'program_host.js を読み込めませんでした'],
    ['tanshuku.js', 'cut', 'tanshuku.js が壊れています'],
    ['editor.js', 404, 'editor.js を読み込めませんでした'],
    ['xterm.js', 503, 'xterm.js を読み込めませんでした'],
    ['page.js', 404, 'page.js を読み込めませんでした'],
  ];
  try {
    for (const [name, fault, told] of cases) {
      server.serving.faults = { [name]: fault };
      // A profile of its own: no copy kept by the page tried before.
      const context = await browser.createBrowserContext();
      const { page } = await openPage(null, { url: server.url, context, menu: false });
      await page.waitForSelector('#load-failed:not([hidden])', { timeout: 10000 });
      const text = await page.$eval('#load-failed', (element) => element.textContent);
      assert.ok(text.includes(told) && text.includes('ネットワークから'), `${name}: ${text}`);
      server.serving.faults = {};
      // The button reloads the page: wait for the new document, not the old one.
      await Promise.all([page.waitForNavigation(), page.click('#try-again')]);
      await screenShows(page, kMenuLastLine);
      await context.close();
    }
  } finally {
    server.close();
  }
});

test('a start without memory for the program is told', async () => {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    const instantiate = WebAssembly.instantiate;
    // The program's module (the editor's comes as bytes) finds no memory.
    WebAssembly.instantiate = (module, imports) =>
      module instanceof WebAssembly.Module
        ? Promise.reject(new RangeError('WebAssembly.instantiate(): Out of memory'))
        : instantiate(module, imports);
  });
  await page.evaluateOnNewDocument(watchTheScreen);
  await page.goto(pageUrl);
  await page.waitForSelector('#load-failed:not([hidden])', { timeout: 10000 });
  assert.match(await page.$eval('#load-failed', (e) => e.textContent), /メモリーが足りない/);
  assert.doesNotMatch(await screen(page), /Runtime error/);
  await page.close();
});

test('a step that the editor names and the page does not know is told, not taken for a wait', async () => {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    // The editor's module, as editor.js makes it, with one step more in its
    // table, as an editor.js of another build would have.
    let create;
    Object.defineProperty(window, 'createEditor', {
      get: () => create,
      set: (made) => {
        create = async (...args) => {
          const module = await made(...args);
          const cwrap = module.cwrap;
          module.cwrap = (name, ...rest) => {
            const f = cwrap(name, ...rest);
            if (name !== 'editor_step_name') return f;
            return (step) => (f(step) === '' && f(step - 1) !== '' ? 'a step of another build' : f(step));
          };
          return module;
        };
      },
    });
  });
  await page.evaluateOnNewDocument(watchTheScreen);
  await page.goto(pageUrl);
  await page.waitForSelector('#load-failed:not([hidden])', { timeout: 10000 });
  assert.match(await page.$eval('#load-failed', (e) => e.textContent), /editor\.js が壊れています/);
  assert.strictEqual(await page.evaluate(() => window.tanshukuPage.state()), 'failed');
  await page.close();
});

// The SHA-256 of each of the page's files as the page gets them.
const digestsSeen = (page, names) =>
  page.evaluate(async (files) => {
    const digest = async (name) => {
      const bytes = await (await fetch(name)).arrayBuffer();
      const hash = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
      return Array.from(hash, (byte) => byte.toString(16).padStart(2, '0')).join('');
    };
    return Promise.all(files.map(digest));
  }, names);
const digestOf = (name) =>
  require('node:crypto').createHash('sha256').update(fs.readFileSync(path.join(site, name))).digest('hex');

test('the kept page is an app, is not held by a slow server and opens without one', async () => {
  const server = await siteServer();
  const { page, context } = await keptPage(server);
  try {
    // The browser's own view of the page as an app: its manifest read
    // without a fault, and its icons fetched and fit to install it with.
    const session = await page.createCDPSession();
    const { errors, manifest } = await session.send('Page.getAppManifest');
    assert.deepStrictEqual(errors, []);
    assert.strictEqual(manifest.name, 'tanshuku');
    assert.strictEqual(manifest.display, 'kStandalone');  // as Chromium names it
    const icons = manifest.icons.map((icon) => `${icon.url.replace(server.url, '')} ${icon.sizes}`);
    const kIcons = ['icon-192.png 192x192', 'icon-512.png 512x512', 'icon-maskable-512.png 512x512'];
    assert.deepStrictEqual(icons, kIcons);
    // But for the test's profile of its own, which is one without a trace.
    const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
    const errorIds = installabilityErrors.map((error) => error.errorId);
    assert.deepStrictEqual(errorIds.filter((id) => id !== 'in-incognito'), []);
    assert.ok((await session.send('Page.getManifestIcons')).primaryIcon, 'no icon decoded');
    const pixels = await page.evaluate((urls) =>
      Promise.all(urls.map(async (url) => {
        const image = await createImageBitmap(await (await fetch(url)).blob());
        return `${image.width}x${image.height}`;
      })), manifest.icons.map((icon) => icon.url));
    assert.deepStrictEqual(pixels, manifest.icons.map((icon) => icon.sizes));

    server.serving.delay = 30000;
    await page.reload({ waitUntil: 'domcontentloaded' });
    // The kept page does not wait for the server's answer.
    const menuMilliseconds = await screenShows(page, kMenuLastLine);
    assert.ok(menuMilliseconds < server.serving.delay, 'the page waited for the slow server');
    recordTime('menu of the kept page', menuMilliseconds);
    for (let i = 0; i < kDesign.length; ++i) {
      await typeAnswer(page, kDesign[i]);
      await screenShows(page, kDesignPrompts[i], i === kDesign.length - 1 ? 2 : 1);
    }
    assert.deepStrictEqual(await policyViolations(page), []);

    // No server at all: the page and every file of it come from the kept build.
    server.close();
    await page.reload();
    await screenShows(page, kMenuLastLine);
    assert.deepStrictEqual(await digestsSeen(page, kPageFiles), kPageFiles.map(digestOf));
    assert.deepStrictEqual(await policyViolations(page), []);
  } finally {
    await context.close();
    server.close();
  }
});

test('a new build is taken whole or not at all', async () => {
  const build = newBuild();
  const cases = [
    { faults: { 'tanshuku.js': 404 } },
    { faults: { 'editor.js': 503 } },
    { faults: { 'tanshuku.js': 'dropped' } },
    { maxAge: 600 },
  ];
  try {
    for (const { faults = {}, maxAge = 0 } of cases) {
      const server = await siteServer();
      server.serving.maxAge = maxAge;
      const { page, context } = await keptPage(server);
      try {
        server.serving.folder = build.folder;
        server.serving.faults = faults;
        const failing = Object.keys(faults).length > 0;
        assert.strictEqual(await updateWorker(page), failing ? 'redundant' : 'activated');
        await page.reload();
        await screenShows(page, kMenuLastLine);
        const expected = failing ? 0 : build.names.length;
        assert.strictEqual(await filesOfNewBuild(page, build.names), expected, JSON.stringify(faults));
        if (!failing) continue;
        server.serving.faults = {};
        assert.strictEqual(await updateWorker(page), 'activated');
        await page.reload();
        await screenShows(page, kMenuLastLine);
        assert.strictEqual(await filesOfNewBuild(page, build.names), build.names.length);
      } finally {
        await context.close();
        server.close();
      }
    }
  } finally {
    fs.rmSync(build.folder, { recursive: true, force: true });
  }
});
