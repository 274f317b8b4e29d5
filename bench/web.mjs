// The web page's figures for `make bench`, in headless Chromium:
//   - the bytes a browser downloads on the first visit (the service worker
//     then keeps every file of the site), compressed as a static host
//     serves them: brotli and gzip for text, the wasm and the licences,
//     PNG and WOFF2 as they are; the fonts apart from the rest;
//   - page request to first frame on localhost, a first visit (nothing
//     cached) and a visit again (the service worker's copy), medians;
//   - the frame table in the browser's WebAssembly, on a page isolated from
//     other origins so that its clock is fine enough (Chromium reads it to
//     5 microseconds there, to 100 elsewhere).
// It prints "NAME VALUE" lines and the frame table's "table" line.
//
//   node bench/web.mjs SITE_FOLDER FRAME_TABLE_FOLDER [LOADS]
import { launch, serve } from '../tests/web/lib.mjs';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const [site, frameTable, loadsArgument] = process.argv.slice(2);
const loads = Number(loadsArgument ?? 15);

function files(folder) {
  return readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? files(path) : [path];
  });
}

const bytes = {brotli: {fonts: 0, rest: 0}, gzip: {fonts: 0, rest: 0}};
for (const file of files(site)) {
  const body = readFileSync(file);
  const packed = /\.(png|woff2)$/.test(file);
  const kind = file.endsWith('.woff2') ? 'fonts' : 'rest';
  bytes.brotli[kind] += packed ? body.length
    : brotliCompressSync(body, {params: {[constants.BROTLI_PARAM_QUALITY]: 11}}).length;
  bytes.gzip[kind] += packed ? body.length : gzipSync(body, {level: 9}).length;
}
for (const [way, sizes] of Object.entries(bytes))
  for (const [kind, size] of Object.entries(sizes)) console.log(`web_bytes_${way}_${kind} ${size}`);

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const firstFrame = (page) => page.evaluate(async () => {
  while (!performance.getEntriesByName('vesmor-first-frame').length) await new Promise((r) => setTimeout(r, 10));
  return performance.getEntriesByName('vesmor-first-frame')[0].startTime;
});

const browser = await launch();
const server = await serve(site);
const cold = [];
const warm = [];
for (let i = 0; i < loads; ++i) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(server.url);
  cold.push(await firstFrame(page));
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.goto(server.url);
  warm.push(await firstFrame(page));
  await context.close();
}
console.log(`web_first_frame_cold_ms ${median(cold).toFixed(1)}`);
console.log(`web_first_frame_warm_ms ${median(warm).toFixed(1)}`);
await server.close();

// Isolated from other origins, the page's clock reads to 5 microseconds
// rather than 100.
const tableServer = await serve(frameTable, {
  'Cross-Origin-Opener-Policy': 'same-origin', 'Cross-Origin-Embedder-Policy': 'require-corp',
});
const page = await browser.newPage();
const lines = [];
const done = new Promise((resolve) => page.on('console', (message) => {
  lines.push(message.text());
  if (message.text().startsWith('table ')) resolve();
}));
await page.goto(`${tableServer.url}frame-table.html`);
await done;
for (const line of lines) console.log(line.startsWith('views') || line.startsWith('runs') ? `wasm_${line}` : line);
await tableServer.close();
await browser.close();
