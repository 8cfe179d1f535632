// The page in headless Chromium: dialogues typed as keys, pasted, tapped on
// the key row, a slip taken back, the end and a new start, a window that
// changes its size. Run by the web
// build's tests (web/CMakeLists.txt):
//   node --test page_test.js
// with TANSHUKU_SITE (the page's folder), TANSHUKU_UTF8_FRONT_END (the
// native front end, whose screen the page's must equal), TANSHUKU_SCREEN
// (the script that draws a terminal's screen) and NODE_PATH (the npm
// packages of the web build).
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { spawn, spawnSync } = require('node:child_process');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const site = process.env.TANSHUKU_SITE;
const pageUrl = 'file://' + path.join(site, 'index.html');
const kColumns = 86;
const kMenuLastLine = '５，半波長ダイポールアンテナの計算';
// Generous bounds for a loaded machine; the page is far quicker (the note
// of the change that made it has the figures).
const kMenuMilliseconds = 3000;
const kAnswerMilliseconds = 500;

let browser;
test.before(async () => {
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--headless=new', '--allow-file-access-from-files'],
  });
});
test.after(() => browser.close());

// Times are taken in the page: from the start of its loading to the menu on
// screen, and from the last Return pressed to the screen that answers it.
function watchTheScreen() {
  window.returnPressedAt = 0;  // the page's loading began
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

async function openPage(device) {
  const page = await browser.newPage();
  if (device) await page.emulate(device);
  else await page.setViewport({ width: 900, height: 900 });
  await page.evaluateOnNewDocument(watchTheScreen);
  await page.goto(pageUrl);
  const menuMilliseconds = await screenShows(page, kMenuLastLine);
  return { page, menuMilliseconds };
}

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

const kDesign = ['5', '7.05', '2', ''];
const kDesignPrompts = ['中心周波数は', 'アンテナの直径は', 'リターンキーを押してください', kMenuLastLine];

test('a design through menu 5, typed as keys, shows what the native front end shows', async () => {
  const { page, menuMilliseconds } = await openPage();
  assert.ok(menuMilliseconds < kMenuMilliseconds, `the menu came after ${menuMilliseconds} ms`);
  const waits = [];
  for (let i = 0; i < kDesign.length; ++i) {
    await typeAnswer(page, kDesign[i]);
    waits.push(await screenShows(page, kDesignPrompts[i], i === kDesign.length - 1 ? 2 : 1));
  }
  const shown = waits.map((wait) => wait.toFixed(1)).join(', ');
  console.log(`menu after ${menuMilliseconds.toFixed(0)} ms; next screens after ${shown} ms`);
  for (const wait of waits) assert.ok(wait < kAnswerMilliseconds, `an answer took ${wait} ms`);
  assert.strictEqual(await screen(page), await nativeScreen(kDesign));
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

test('the key row types a design on a phone', async () => {
  const { page } = await openPage(puppeteer.KnownDevices['Pixel 5']);
  const tap = async (keys) => {
    for (const key of keys) await page.tap(`#key-row button[data-key="${key}"]`);
  };
  await tap(['5', 'return']);
  await screenShows(page, '中心周波数は');
  await tap(['7', '.', '0', '5', 'return']);
  await screenShows(page, 'アンテナの直径は');
  await tap(['2', '3', 'backspace', 'return']);
  await screenShows(page, 'エレメントの長さは 10.379ｍ');
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

test('the terminal and the typed line follow the window', async () => {
  const { page } = await openPage();
  const columns = () => page.evaluate(() => window.tanshukuPage.columns());
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
  await page.close();
});
