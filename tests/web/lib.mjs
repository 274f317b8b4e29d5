// What the web page's tests share: Debian's Chromium, a static server for
// the site, the scenario driver's pictures read back, and scenarios played
// on the page by clicking it.
import { spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { readFileSync, mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize, resolve } from 'node:path';
import { inflateSync } from 'node:zlib';

// playwright-core from the folder the test run installed it in.
const require = createRequire(resolve(process.env.VESMOR_WEB_NODE ?? import.meta.dirname, 'tests.js'));
const { chromium } = require('playwright-core');

// ---- Checks: every failure is kept, so one run names them all.

export const failures = [];

export function check(ok, what) {
  if (!ok) {
    failures.push(what);
    console.log(`FAIL ${what}`);
  }
  return ok;
}

export function equal(got, want, what) {
  return check(JSON.stringify(got) === JSON.stringify(want), `${what}: got ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);
}

export function finish(name) {
  if (failures.length) {
    console.log(`${name}: ${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log(`${name}: all checks passed`);
}

// ---- The browser: headless, no network of its own, a fresh profile.

export async function launch() {
  return chromium.launch({
    executablePath: process.env.VESMOR_CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--disable-quic'],
  });
}

// A page that reports every request it makes outside its origin, and every
// error or warning on its console.
export function watch(page, origin, name) {
  page.on('request', (request) => {
    const url = request.url();
    check(url.startsWith(origin) || url.startsWith('data:') || url.startsWith('blob:'), `${name}: requested ${url}`);
  });
  page.on('console', (message) => {
    check(!['error', 'warning'].includes(message.type()), `${name}: console ${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', (error) => check(false, `${name}: uncaught ${error.message}`));
}

// ---- A static host for a folder, as any would serve it.

const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.png': 'image/png', '.svg': 'image/svg+xml', '.woff2': 'font/woff2', '.json': 'application/json',
  '.webmanifest': 'application/manifest+json', '.txt': 'text/plain; charset=utf-8',
};

export async function serve(folder, headers = {}) {
  const server = createServer((request, response) => {
    let path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (path.endsWith('/')) path += 'index.html';
    try {
      const body = readFileSync(join(folder, path));
      response.writeHead(200, {'Content-Type': Types[extname(path)] ?? 'application/octet-stream', ...headers});
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;
  return {url, close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); })};
}

// ---- PNG files as the scenario driver writes them: 8 bits a channel.

export function readPng(file) {
  const data = Buffer.isBuffer(file) ? file : readFileSync(file);
  let at = 8;
  let width = 0, height = 0, colourType = 0;
  const idat = [];
  while (at < data.length) {
    const length = data.readUInt32BE(at);
    const type = data.toString('latin1', at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) throw new Error(`${file}: not an 8-bit non-interlaced PNG`);
      colourType = body[9];
    } else if (type === 'IDAT') {
      idat.push(body);
    }
    at += 12 + length;
  }
  const channels = {2: 3, 6: 4, 0: 1, 4: 2}[colourType];
  const raw = inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? pixels[y * stride + x - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
        : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      const predicted = [0, a, b, (a + b) >> 1, paeth][filter];
      pixels[y * stride + x] = (line[x] + predicted) & 0xFF;
    }
  }
  // As red, green, blue and alpha, whatever the file held.
  const rgba = Buffer.alloc(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    const p = pixels.subarray(i * channels, (i + 1) * channels);
    const [r, g, b, a] = channels >= 3 ? [p[0], p[1], p[2], channels === 4 ? p[3] : 255]
      : [p[0], p[0], p[0], channels === 2 ? p[1] : 255];
    rgba.set([r, g, b, a], i * 4);
  }
  return {width, height, rgba};
}

// ---- The scenario driver, on a script given as text.

export function runDriver(driver, script) {
  const result = spawnSync(driver, [], {input: script, encoding: 'utf-8', env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}});
  if (result.status !== 0) throw new Error(`vesmor-script failed (${result.status}): ${result.stderr}`);
  return result.stdout;
}

export function temporaryFolder() {
  const folder = mkdtempSync(join(tmpdir(), 'vesmor-web-'));
  process.on('exit', () => rmSync(folder, {recursive: true, force: true}));
  return folder;
}

// ---- The page's controls, by the names of the window's table.

export function control(page, name) {
  return page.locator(`[data-name="${name}"]`).first();
}

export async function centreOf(page, name) {
  const box = await control(page, name).boundingBox();
  return {x: box.x + box.width / 2, y: box.y + box.height / 2};
}

export async function click(page, name, button = 'left') {
  const at = await centreOf(page, name);
  await page.mouse.click(at.x, at.y, {button});
}

export async function chooseFromMenu(page, buttonName, itemText) {
  await click(page, buttonName, 'right');
  // By the mouse, not the locator: its checks wait for frames that a held
  // clock never draws.
  const box = await page.locator('.menu-item', {hasText: new RegExp(`^${itemText}$`)}).boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
}

// The game's bitmap on one of the page's canvases, as RGBA bytes.
export async function canvasPixels(page, name) {
  return Buffer.from(await control(page, name).evaluate((canvas) => {
    // Read through a copy, so that the page's own canvas is left as it is.
    const copy = new OffscreenCanvas(canvas.width, canvas.height).getContext('2d', {willReadFrequently: true});
    copy.drawImage(canvas, 0, 0);
    const bytes = copy.getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }), 'base64');
}

// What the page shows of the state line the driver prints.
export async function shownState(page) {
  return page.evaluate(() => {
    const text = (name) => document.querySelector(`[data-name="${name}"]`).textContent;
    const shown = (name) => !document.querySelector(`[data-name="${name}"]`).hidden;
    return {time: text('TimeEdit'), label2: text('Label2'), label4: text('Label4'),
      trapped: shown('Panel1') ? '1' : '0', won: shown('Panel2') ? '1' : '0'};
  });
}

export function parseState(line) {
  const field = (name) => line.match(new RegExp(`\\b${name}=("[^"]*"|\\S+)`))[1].replace(/^"|"$/g, '');
  return {time: field('time'), label2: field('label2'), label4: field('label4'), trapped: field('trapped'),
    won: field('won')};
}

// Opens a page on the tests' build of the site with the game's clock held:
// time passes only when a scenario says so (runFor). Returns once the game
// is made and, unless asked to keep it, the greeting help has been closed.
export async function openScripted(browser, url, {keepHelp = false, before = null, ...options} = {}) {
  const context = await browser.newContext({viewport: {width: 800, height: 600}, ...options});
  const page = await context.newPage();
  if (before) await before(page);
  await page.goto(`${url}?clock=held`);
  await waitForGame(page);
  if (!keepHelp) await page.keyboard.press('Enter');  // the help's OK
  return {context, page};
}

// Once the game is made, the help greets the player.
export async function waitForGame(page) {
  await page.waitForFunction(() => document.querySelector('.dialog:not([hidden])'), null, {polling: 20});
}

// Lets the game's held clock run on.
export const runFor = (page, ms) => page.evaluate((ms) => globalThis.vesmorTest.runFor(ms), ms);

// The window's table (layout.js) as the page has it.
const layouts = new WeakMap();
export async function layoutOf(page) {
  if (!layouts.has(page)) layouts.set(page, await page.evaluate(async () => (await import('./layout.js')).default));
  return layouts.get(page);
}

// Plays one line of a scenario on the page as a player would: a row of the
// action table on the control or menu item the window's table wires to it;
// the timers, "wait" and the driver's own "place" and "slot" through the
// tests' hook. Returns false for lines the page has nothing of.
export async function playLine(page, command, numbers) {
  const hook = (f, ...args) => page.evaluate(([f, args]) => globalThis.vesmorTest[f](...args), [f, args]);
  switch (command) {
    case 'tick': case 'countdown':
      await page.evaluate(([f, n]) => { for (let i = 0; i < n; ++i) globalThis.vesmorTest[f](); }, [command, numbers[0] ?? 1]);
      return true;
    case 'wait': await runFor(page, numbers[0]); return true;
    case 'place': case 'slot': await hook(command, ...numbers); return true;
  }
  const {controls} = await layoutOf(page);
  for (const c of controls) {
    const item = c.menu?.find((i) => i.act === command && i.argument === numbers[0]);
    if (item) {
      await chooseFromMenu(page, c.name, item.text);
      return true;
    }
  }
  const on = (event) => controls.find((c) => c.does[event] === command);
  let c;
  if ((c = on('click'))) {
    await click(page, c.name);
  } else if ((c = on('press'))) {
    const at = await centreOf(page, c.name);
    await page.mouse.move(at.x, at.y);
    await page.mouse.down();
  } else if ((c = on('release'))) {
    // Let go of what a press holds; else a press and release of another button.
    if (c.does.press) await page.mouse.up();
    else await click(page, c.name, 'middle');
  } else if ((c = on('rightPress'))) {
    await click(page, c.name, 'right');
    if (await page.locator('.dialog:not([hidden])').count()) await page.keyboard.press('Enter');
  } else {
    return false;
  }
  return true;
}

// A scenario's lines as command, numbers and the rest of the line.
export function scriptLines(text) {
  return text.split('\n').map((raw) => {
    const code = raw.replace(/#.*/, '').trim();
    const [command = '', ...words] = code.split(/\s+/).filter(Boolean);
    return {raw, command, numbers: words.map(Number), rest: words.join(' ')};
  });
}

export const read = (file) => readFileSync(file, 'utf-8');
