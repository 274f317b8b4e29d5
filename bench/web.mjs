// The web page's figures for `make bench`:
//   - the bytes Chromium downloads on a first visit, its service worker's
//     fetches included, each file compressed as a static host serves it:
//     brotli and gzip for text and the wasm, PNG and WOFF2 as they are;
//     the fonts apart from the rest;
//   - in each engine, page request to first frame on localhost, the median
//     of cold visits (a fresh profile each) and of visits again (the
//     service worker's copy);
//   - in each engine whose console a script can read (Chromium, Firefox),
//     the frame table in the browser's WebAssembly, on a page isolated from
//     other origins so that its clock is as fine as the engine gives it.
// It prints "ENGINE_NAME VALUE" lines and each engine's "table" line.
//
//   node bench/web.mjs SITE_FOLDER FRAME_TABLE_FOLDER [VISITS]
import { launch, serve } from '../tests/web/lib.mjs';
import { engines } from '../tests/web/engines.mjs';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join, relative } from 'node:path';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const [site, frameTable, visitsArgument] = process.argv.slice(2);
const visits = Number(visitsArgument ?? 5);

function files(folder) {
  return readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? files(path) : [path];
  });
}

// Each file's size as a static host sends it, then what a first visit
// asks for: the page's own requests and its worker's, counted at the
// server (the licences and the app's large icons are not among them).
const sizes = new Map();
for (const file of files(site)) {
  const body = readFileSync(file);
  const packed = /\.(png|woff2)$/.test(file);
  sizes.set(`/${relative(site, file)}`, {
    font: file.endsWith('.woff2'),
    brotli: packed ? body.length : brotliCompressSync(body, {params: {[constants.BROTLI_PARAM_QUALITY]: 11}}).length,
    gzip: packed ? body.length : gzipSync(body, {level: 9}).length,
  });
}
function firstVisitBytes(paths) {
  const bytes = {brotli: {fonts: 0, rest: 0}, gzip: {fonts: 0, rest: 0}};
  for (const path of new Set(paths)) {
    const size = sizes.get(path);
    if (!size) continue;
    for (const way of ['brotli', 'gzip']) bytes[way][size.font ? 'fonts' : 'rest'] += size[way];
  }
  return bytes;
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const firstFrame = (page) => page.waitFor(() => performance.getEntriesByName('vesmor-first-frame')[0]?.startTime);

const server = await serve(site);
// Isolated from other origins, a page's clock reads finer (Chromium's to 5
// microseconds rather than 100).
const tableServer = await serve(frameTable, {headers: {
  'Cross-Origin-Opener-Policy': 'same-origin', 'Cross-Origin-Embedder-Policy': 'require-corp',
}});
for (const engine of engines) {
  const browser = await launch(engine);
  console.log(`${engine}_version ${browser.version}`);
  const cold = [];
  const warm = [];
  for (let i = 0; i < visits; ++i) {
    const page = await browser.newPage();
    const asked = server.requests.length;
    await page.goto(server.url);
    cold.push(await firstFrame(page));
    await page.waitFor(() => navigator.serviceWorker.ready.then(() => Boolean(navigator.serviceWorker.controller)));
    // The worker's precache is done once it controls the page.
    if (i === 0 && engine === 'chromium')
      for (const [way, kinds] of Object.entries(firstVisitBytes(server.requests.slice(asked))))
        for (const [kind, size] of Object.entries(kinds)) console.log(`web_bytes_${way}_${kind} ${size}`);
    await page.goto(server.url);
    warm.push(await firstFrame(page));
    await page.close();
  }
  console.log(`${engine}_first_frame_cold_ms ${median(cold).toFixed(1)}`);
  console.log(`${engine}_first_frame_warm_ms ${median(warm).toFixed(1)}`);

  if (engine !== 'webkit') {  // WebKitWebDriver gives no console
    const page = await browser.newPage();
    const lines = [];
    const done = new Promise((resolve) => page.on('console', (type, text) => {
      if (/^(views|runs|table) /.test(text)) lines.push(text);
      if (text.startsWith('table ')) resolve();
    }));
    await page.goto(`${tableServer.url}frame-table.html`);
    await done;
    for (const line of lines) {
      const [word, ...rest] = line.split(' ');
      console.log(word === 'table' ? `table ${engine}_${rest.join(' ')}` : `${engine}_${line}`);
    }
    await page.close();
  }
  await browser.close();
}
await tableServer.close();
await server.close();
