// What the web page's tests share: the browser engine a test runs in
// (engines.mjs), a static server for the site, the scenario driver's
// pictures read back, and scenarios played on the page by clicking it.
import { spawnSync } from 'node:child_process';
import { readFileSync, mkdtempSync, rmSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { brotliCompressSync } from 'node:zlib';
export { launch } from './engines.mjs';
export { readPng } from './png.mjs';

// ---- Checks: every failure is kept, so one run names them all.

export const failures = [];

export function check(ok, what) {
  if (!ok) {
    failures.push(what);
    console.log(`FAIL ${what}`);
  }
  return ok;
}

// Objects are equal whatever the order of their keys (WebDriver sorts them).
const canonical = (value) => JSON.stringify(value, (key, v) =>
  v && typeof v === 'object' && !Array.isArray(v) ? Object.fromEntries(Object.entries(v).sort()) : v);

export function equal(got, want, what) {
  return check(canonical(got) === canonical(want), `${what}: got ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);
}

export function finish(name) {
  if (failures.length) {
    console.log(`${name}: ${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log(`${name}: all checks passed`);
}

// A page that reports every request it makes outside its origin, and every
// error or warning on its console (see engines.mjs for what WebKit tells).
// `name` may be a function, for a page that plays one thing after another.
export function watch(page, origin, name) {
  const label = typeof name === 'function' ? name : () => name;
  page.on('request', (url) => {
    check(url.startsWith(origin) || url.startsWith('data:') || url.startsWith('blob:'), `${label()}: requested ${url}`);
  });
  page.on('console', (type, text) => check(!['error', 'warning'].includes(type), `${label()}: console ${type}: ${text}`));
  page.on('error', (text) => check(false, `${label()}: ${text}`));
}

// ---- A static host for a folder, as a plain one serves it (Python's, as
// `make web-run` uses): each file dated by its own date, which a browser
// may keep for a tenth of its age without asking again, and no more than
// a "not modified" for a copy as new as the file. With `brotli` it sends
// what it can compressed, as a host set up for it does; `sent` counts the
// bytes of the bodies it has sent, compressed so.

const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.png': 'image/png', '.svg': 'image/svg+xml', '.woff2': 'font/woff2', '.json': 'application/json',
  '.webmanifest': 'application/manifest+json', '.txt': 'text/plain; charset=utf-8',
};

export async function serve(folder, {headers = {}, brotli = false} = {}) {
  const host = {sent: 0, requests: []};
  const server = createServer((request, response) => {
    let path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (path.endsWith('/')) path += 'index.html';
    host.requests.push(path);
    if (process.env.VESMOR_WEB_TRACE) console.log(request.method, path, JSON.stringify(request.headers));
    let body, date;
    try {
      body = readFileSync(join(host.folder, path));
      date = new Date(Math.floor(statSync(join(host.folder, path)).mtimeMs / 1000) * 1000);
    } catch {
      response.writeHead(404);
      response.end();
      return;
    }
    const since = Date.parse(request.headers['if-modified-since'] ?? '');
    if (since >= date.getTime()) {
      response.writeHead(304, {'Last-Modified': date.toUTCString()});
      response.end();
      return;
    }
    const type = Types[extname(path)] ?? 'application/octet-stream';
    const packed = brotli && !/^(image\/png|font\/woff2)$/.test(type) && /\bbr\b/.test(request.headers['accept-encoding'] ?? '');
    if (packed) body = brotliCompressSync(body);
    // Counted as brotli, whatever this browser asked for.
    host.sent += packed || !brotli || /^(image\/png|font\/woff2)$/.test(type) ? body.length : brotliCompressSync(body).length;
    response.writeHead(200, {'Content-Type': type, 'Last-Modified': date.toUTCString(),
      ...(packed ? {'Content-Encoding': 'br', 'Vary': 'Accept-Encoding'} : {}), ...headers});
    response.end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return Object.assign(host, {
    folder,
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
  });
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

// The box of the first element a selector finds (whose text is `text`,
// if given), in page coordinates, or null.
export function boxOf(page, selector, text = null) {
  return page.evaluate(([selector, text]) => {
    const e = [...document.querySelectorAll(selector)].find((e) => text === null || e.textContent === text);
    if (!e) return null;
    const r = e.getBoundingClientRect();
    return {x: r.left, y: r.top, width: r.width, height: r.height};
  }, [selector, text]);
}

export const centre = (box) => ({x: box.x + box.width / 2, y: box.y + box.height / 2});

export async function centreOf(page, name) {
  return centre(await boxOf(page, `[data-name="${name}"]`));
}

export async function click(page, name, button = 'left') {
  const at = await centreOf(page, name);
  await page.mouse.click(at.x, at.y, {button});
}

// A click with the left button on the first element a selector finds.
export async function clickOn(page, selector, text = null) {
  const at = centre(await boxOf(page, selector, text));
  await page.mouse.click(at.x, at.y);
}

export async function chooseFromMenu(page, buttonName, itemText) {
  await click(page, buttonName, 'right');
  await clickOn(page, '.menu-item', itemText);
}

export const textOf = (page, name) => page.evaluate((name) => document.querySelector(`[data-name="${name}"]`).textContent, name);

// The game's bitmap on one of the page's canvases, as RGBA bytes.
export async function canvasPixels(page, name) {
  return Buffer.from(await page.evaluate((name) => {
    const canvas = document.querySelector(`[data-name="${name}"]`);
    // Read through a copy, so that the page's own canvas is left as it is.
    const copy = new OffscreenCanvas(canvas.width, canvas.height).getContext('2d', {willReadFrequently: true});
    copy.drawImage(canvas, 0, 0);
    const bytes = copy.getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }, name), 'base64');
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

// ---- The page's clock. Every test that moves it does so here. The tests'
// build of the page, opened with "?clock=held" (openScripted does), holds
// the game's clock in every engine: time passes only when a test says so.
//   'run'   ms pass, every firing due on the way played in order, as the
//           driver's "wait" plays them;
//   'skip'  ms pass at once, as a tab woken late finds them gone: the game
//           catches up, and after a long absence plays only its last
//           stretch (ten minutes), as the page does on the browser's clock.
// The game catches up on every jump, so a long run goes in steps well
// inside that stretch.
const RunStep = 60 * 1000;

export async function clock(page, operation, ms) {
  const pass = (ms) => page.evaluate((ms) => globalThis.vesmorTest.runFor(ms), ms);
  switch (operation) {
    case 'run':
      for (let left = ms; left > 0; left -= RunStep) await pass(Math.min(left, RunStep));
      break;
    case 'skip': await pass(ms); break;
    default: throw new Error(`no clock operation ${operation}`);
  }
}

// Opens a page on the tests' build of the site with the game's clock held.
// Returns once the game is made and, unless asked to keep it, the greeting
// help has been closed.
export async function openScripted(browser, url, {keepHelp = false, ...options} = {}) {
  const page = await browser.newPage(options);
  await loadScripted(page, url, {keepHelp});
  return page;
}

// The same on a page already open: a new game on a fresh page load, without
// the cost of a fresh browser profile (in WebKit a browser of its own).
export async function loadScripted(page, url, {keepHelp = false} = {}) {
  await page.goto(`${url}?clock=held`);
  await waitForGame(page);
  if (!keepHelp) await page.keyboard.press('Enter');  // the help's OK
}

// Once the game is made, the help greets the player.
export async function waitForGame(page) {
  await page.waitFor(() => document.querySelector('.dialog:not([hidden])') !== null);
}

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
    case 'wait': await clock(page, 'run', numbers[0]); return true;
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
    if (await page.evaluate(() => document.querySelector('.dialog:not([hidden])') !== null)) await page.keyboard.press('Enter');
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
