// The browser build played in Debian's Chromium, headless, through
// Playwright, against the site served on loopback:
//
//  1. The same scenario as the native program's: the page runs the game
//     headless with a seed and a script (its virtual clock makes the run
//     repeatable), and the board it shows after a swap and its cascade is
//     the native program's, byte for byte in the screenshot file.
//  2. A visit as a player makes it, in real time: the title, "start" (the
//     click that starts the audio), a new player named by typing, the main
//     menu, the quest map, quest level 1 with its intro, a swap dragged on
//     the canvas with the score read from the game rising, the frame times
//     of that busy stretch.
//  3. A reload: the player's folder comes back as it was left, the player
//     is remembered and the saved quest is offered.
//  4. (with 1) A browser in French downloads the French files alone, and
//     the page shows what the native game shows under a French locale.
//  All along, the browser console shows no error.
//
//   node web_test.mjs SITE_DIR NATIVE_DIST SHOTS_DIR
// Screenshots of every step go to SHOTS_DIR.

import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, symlinkSync, copyFileSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { tmpdir } from 'node:os';
import { serve } from './serve.mjs';

const [siteDir, nativeDist, shotsDir] = process.argv.slice(2).map((p) => resolve(p));
mkdirSync(shotsDir, { recursive: true });

const results = [];
function check(name, ok, detail = '') {
  results.push({ name, ok });
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
}
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// A control's centre in picture pixels, from its screen file and picture.
function controlCentre(screenFile, name) {
  const [x, y] = controlAt(screenFile, name);
  const text = readFileSync(join(nativeDist, 'data/menu', screenFile), 'latin1');
  const section = text.split(/\r?\n\[/).find((s) => s.toLowerCase().startsWith(name.toLowerCase() + ']'));
  const picture = /^path=(.*)$/mi.exec(section)[1].trim().replace(/\\/g, '/');
  const tga = readFileSync(join(nativeDist, picture.replace(/^data\//i, 'data/')));
  return [x + tga.readUInt16LE(12) / 2, y + tga.readUInt16LE(14) / 2];
}

// Where a control of a screen file lies, in picture pixels.
function controlAt(screenFile, name) {
  const text = readFileSync(join(nativeDist, 'data/menu', screenFile), 'latin1');
  const section = text.split(/\r?\n\[/).find((s) => s.toLowerCase().startsWith(name.toLowerCase() + ']'));
  if (!section) throw new Error(`no control ${name} in ${screenFile}`);
  const value = (key) => Number((new RegExp(`^${key}=(.*)$`, 'mi').exec(section) || [])[1]);
  return [value('x'), value('y')];
}

// --- 1. The same board natively and in the page -----------------------------

const seed = 7;
// A point well inside the quest map's first episode, as the native scenarios click it.
const [episodeX, episodeY] = controlAt('questmap.ini', 'episode1').map((v, i) => v + [86, 78][i]);
const sameBoardScript = `# The title, a new player, the quest, level 1.
wait 300
click 400 516
wait 1000
type Webby
key ENTER
wait 500
click 515 210
wait 1000
click ${Math.round(episodeX)} ${Math.round(episodeY)}
wait 6000
shot dealt.png
# The tip's "ok", the card away, and a swap that makes four in a column.
click 400 404
wait 200
click 720 20
wait 600
down 312 320
wait 40
move 340 320
wait 40
move 360 320
wait 40
up 360 320
wait 4000
shot board.png
`;

// The native program over the same script, with the locale of `lang` (or
// none, which is English).
function nativeRun(lang) {
  const dir = mkdtempSync(join(tmpdir(), 'shardfall-web-native-'));
  try {
    mkdirSync(join(dir, 'data'));
    for (const entry of readdirNames(join(nativeDist, 'data')))
      if (entry.toLowerCase() !== 'profiles') symlinkSync(join(nativeDist, 'data', entry), join(dir, 'data', entry));
    copyFileSync(join(nativeDist, '..', 'install-files', 'game.ini'), join(dir, 'game.ini'));
    writeFileSync(join(dir, 'script.txt'), sameBoardScript);
    const env = { ...process.env, LANG: lang || 'C.UTF-8' };
    delete env.LC_ALL;
    delete env.LC_MESSAGES;
    execFileSync(join(nativeDist, 'shardfall'),
      ['--headless', '--seed', String(seed), '--data', dir, '--script', join(dir, 'script.txt')],
      { stdio: 'pipe', env });
    return { dealt: readFileSync(join(dir, 'dealt.png')), board: readFileSync(join(dir, 'board.png')) };
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

function readdirNames(dir) {
  return execFileSync('ls', ['-A', dir], { encoding: 'utf8' }).split('\n').filter(Boolean);
}

const consoleErrors = [];
function watchConsole(page, label) {
  page.on('console', (message) => {
    if (message.type() === 'error') consoleErrors.push(`${label}: ${message.text()}`);
  });
  page.on('pageerror', (error) => consoleErrors.push(`${label}: ${error.message}`));
}

const server = await serve(siteDir, 0);
const site = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});

try {
  // The scripted run in a page whose browser speaks `locale`: the two
  // shots, and the language packs the page fetched.
  const pageRun = async (label, locale) => {
    const context = await browser.newContext({ viewport: { width: 800, height: 600 }, locale });
    const page = await context.newPage();
    watchConsole(page, label);
    const packs = [];
    page.on('request', (request) => {
      const name = new URL(request.url()).pathname.replace(/^.*\//, '');
      if (name.startsWith('shardfall-lang-')) packs.push(name);
    });
    await page.addInitScript((script) => {
      window.shardfallTestRun = {
        arguments: ['--headless', '--seed', '7', '--script', '/run/script.txt'],
        files: { '/run/script.txt': script },
      };
    }, sameBoardScript);
    await page.goto(site);
    await page.waitForFunction(() => window.shardfallPage && window.shardfallPage.ended !== undefined, null,
      { timeout: 300000 });
    const shot = async (name) =>
      Buffer.from(await page.evaluate((path) => Array.from(FS.readFile(path)), `/run/${name}`));
    const result = { dealt: await shot('dealt.png'), board: await shot('board.png'), packs: packs.sort() };
    await context.close();
    return result;
  };

  const english = nativeRun();
  {
    const native = english;
    const run = await pageRun('scripted run', 'en-US');
    writeFileSync(join(shotsDir, 'scripted-dealt.png'), run.dealt);
    writeFileSync(join(shotsDir, 'scripted-board.png'), run.board);
    writeFileSync(join(shotsDir, 'native-board.png'), native.board);
    check('the page deals the native board for the same seed and script', run.dealt.equals(native.dealt));
    check('the board after the same swap and cascade is the native one', run.board.equals(native.board));
    check('an English browser downloads no language pack', run.packs.length === 0, run.packs.join(', '));
  }

  // The same in a French browser: the page fetches the French files alone
  // and shows what the native game shows under a French locale.
  {
    const native = nativeRun('fr_FR.UTF-8');
    const run = await pageRun('French run', 'fr-FR');
    writeFileSync(join(shotsDir, 'scripted-dealt-fr.png'), run.dealt);
    check('a French browser downloads the French files and no other language',
      run.packs.join(' ') === 'shardfall-lang-fr.data shardfall-lang-fr.json', run.packs.join(', '));
    check('the page in French deals what the native game shows in French', run.dealt.equals(native.dealt));
    check('the French board is not the English one', !run.dealt.equals(english.dealt));
  }

  // --- 2. A player's visit ---------------------------------------------------

  const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const page = await context.newPage();
  watchConsole(page, 'visit');
  const game = (what, ...args) => page.evaluate(([w, a]) => Module.shardfall[w](...a), [what, args]);
  const screenIs = (name, timeout = 20000) =>
    page.waitForFunction((n) => window.Module && Module.calledRun && Module.shardfall.screen() === n, name,
      { timeout });
  const picture = async (x, y) => {
    const box = await page.locator('#canvas').boundingBox();
    return [box.x + (x * box.width) / 800, box.y + (y * box.height) / 600];
  };
  const click = async (x, y) => page.mouse.click(...(await picture(x, y)));
  const snap = (name) => page.screenshot({ path: join(shotsDir, name) });

  await page.goto(site);
  // The title counts as shown once the frame loop has drawn it.
  await page.waitForFunction(() => window.Module && Module.calledRun && Module.shardfall.titleShownMs() > 0, null,
    { timeout: 120000 });
  const titleMs = await game('titleShownMs');
  check('the title shows after the page loads', titleMs > 0, `${Math.round(titleMs)} ms from the page's start`);
  await sleep(500);
  await snap('1-title.png');

  await click(400, 516);
  await sleep(1200);
  const audio = await page.evaluate(() => (Module.SDL2 && Module.SDL2.audioContext ? Module.SDL2.audioContext.state : 'none'));
  check('the click on "start" starts the sound', audio === 'running', audio);
  await snap('2-name-dialog.png');
  await page.keyboard.type('Webby');
  await page.keyboard.press('Enter');
  await screenIs('mainmenu');
  await sleep(600);
  await snap('3-main-menu.png');

  await click(515, 210);
  await screenIs('questmap');
  await sleep(1000);
  await snap('4-quest-map.png');
  await click(episodeX, episodeY);
  await screenIs('game');
  await sleep(6000);
  await snap('5-level-intro.png');
  await click(400, 404);
  await sleep(300);
  await click(720, 20);

  await page.waitForFunction(() => Module.shardfall.swap() !== null, null, { timeout: 20000 });
  const swap = await game('swap');
  const before = await game('score');
  await game('resetTimes');
  await game('longestSoundStepWaitMs');
  const [fromX, fromY] = await picture(...swap.from), [toX, toY] = await picture(...swap.to);
  await page.mouse.move(fromX, fromY);
  await page.mouse.down();
  await page.mouse.move(toX, toY, { steps: 6 });
  await page.mouse.up();
  await page.waitForFunction((s) => Module.shardfall.score() > s, before, { timeout: 10000 }).catch(() => {});
  await sleep(2500);
  const after = await game('score');
  const times = await game('times');
  const soundWait = await game('longestSoundStepWaitMs');
  check('a swap dragged on the canvas raises the score', after > before, `${before} -> ${after}`);
  await snap('6-after-swap.png');
  // The level won with the testers' word: its result saves the quest.
  await page.keyboard.type('shatter');
  await sleep(5000);
  await snap('7-level-won.png');
  const perFrame = (ms, n) => (n ? (ms / n).toFixed(2) : '-');
  console.log(`frame times over the swap and its cascade: ${times.frames} frames composed, compose ` +
    `${perFrame(times.composeMs, times.frames)} ms a frame (longest ${times.composeMaxMs.toFixed(2)} ms), ` +
    `logic ${perFrame(times.updateMs, times.frames)} ms; whole frames between two waits ` +
    `${perFrame(times.sliceMs, times.slices)} ms (longest ${times.sliceMaxMs.toFixed(2)} ms); ` +
    `longest wait between two sound steps ${soundWait.toFixed(1)} ms`);

  // --- 3. Back after a reload ---------------------------------------------------

  const savedScore = await game('score');
  await page.waitForFunction(() => !Module.shardfall.savesPending(), null, { timeout: 10000 });
  const filesBefore = await page.evaluate(() => Module.shardfall.savedFiles());
  await page.reload();
  await page.waitForFunction(() => window.Module && Module.calledRun && Module.shardfall.titleShownMs() > 0, null,
    { timeout: 120000 });
  await sleep(500);
  // Every write, rename and removal reached IndexedDB: the folder comes back
  // as it was left, to the file's size and time.
  const filesAfter = await page.evaluate(() => Module.shardfall.savedFiles());
  check('after a reload the player\'s folder is as it was left',
    filesAfter.join('\n') === filesBefore.join('\n'),
    `left [${filesBefore.join(', ')}], found [${filesAfter.join(', ')}]`);
  await click(400, 516);
  // No name asked for: the menu greets the player of the last visit.
  const remembered = await screenIs('mainmenu').then(() => true, () => false);
  await sleep(800);
  await snap('8-menu-after-reload.png');
  check('after a reload the player is remembered', remembered, await game('screen'));
  await click(515, 210);
  const offered = await screenIs('continue', 10000).then(() => true, () => false);
  await sleep(700);
  await snap('9-saved-quest-offered.png');
  check('after a reload the saved quest is offered', offered, await game('screen'));
  await click(...controlCentre('continue.ini', 'ok'));
  await screenIs('game');
  await sleep(1500);
  await snap('10-quest-continued.png');
  const continued = await game('score');
  check('the continued quest keeps its score', savedScore > 0 && continued === savedScore,
    `saved ${savedScore}, continued ${continued}`);
  await context.close();
} finally {
  await browser.close();
  server.close();
}

check('the browser console shows no error', consoleErrors.length === 0, consoleErrors.slice(0, 5).join(' | '));
const failed = results.filter((r) => !r.ok).length;
console.log(`web-test: ${results.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
