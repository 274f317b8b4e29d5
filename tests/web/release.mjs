// A new release reaches a returning player, whatever the browser's HTTP
// cache holds. The site is served as a plain host serves it, every file
// dated ten days back, so that the browser may keep each for a day without
// asking; the second release is dated an hour after the first.
//   - The first visit, the service worker's own fetches included, costs no
//     more than 120 KiB compressed with brotli, and fetches no licence: a
//     licence is fetched when it is opened.
//   - A visit after the second release is hosted may still run the first,
//     from the kept copy; the next runs the second, and so does the one
//     after; the first release's kept copy is gone.
//
//   node release.mjs SITE_FOLDER
import { check, equal, finish, launch, serve, temporaryFolder, waitForGame, watch } from './lib.mjs';
import { cpSync, readdirSync, readFileSync, statSync, utimesSync, writeFileSync } from 'node:fs';
import { createHash } from 'node:crypto';
import { join } from 'node:path';

const [site] = process.argv.slice(2);
const folder = temporaryFolder();
const TenDaysAgo = Date.now() / 1000 - 10 * 24 * 3600;
const Budget = 120 * 1024;

function dated(tree, date) {
  for (const name of readdirSync(tree)) {
    const path = join(tree, name);
    if (statSync(path).isDirectory()) dated(path, date);
    utimesSync(path, date, date);
  }
}

// The second release: the page's script says which release it is, and the
// service worker names a new version (and the script's new digest, where
// it keeps digests).
const first = join(folder, 'first');
cpSync(site, first, {recursive: true});
dated(first, TenDaysAgo - 3600);
const second = join(folder, 'second');
cpSync(first, second, {recursive: true});
const digest = (bytes) => createHash('sha256').update(bytes).digest('hex');
const script = readFileSync(join(second, 'vesmor.js'));
const newScript = Buffer.concat([script, Buffer.from("\nglobalThis.vesmorRelease = 'second';\n")]);
writeFileSync(join(second, 'vesmor.js'), newScript);
const worker = readFileSync(join(second, 'sw.js'), 'utf-8');
const version = worker.match(/const Version = '([^']+)'/)[1];
writeFileSync(join(second, 'sw.js'), worker.replace(version, `${version}-2`).replaceAll(digest(script), digest(newScript)));
dated(second, TenDaysAgo);

const browser = await launch();
const server = await serve(first, {brotli: true});
const page = await browser.newPage();
watch(page, server.url, 'release');

// Settled: the worker of the release in charge has kept its copy, and no
// other is coming. The browser looks for a new worker on its own after a
// visit, a moment later.
const settled = (release) => page.waitFor(async (kept) => {
  const registration = await navigator.serviceWorker.getRegistration();
  if (!navigator.serviceWorker.controller || registration?.active?.state !== 'activated' || registration.installing ||
      registration.waiting) return false;
  await document.fonts.ready;
  const names = await caches.keys();
  return names.includes(kept) && names;
}, `vesmor-${release}`, 60000);
const release = () => page.evaluate(() => globalThis.vesmorRelease ?? 'first');

await page.goto(server.url);
await waitForGame(page);
const caches1 = await settled(version);
// WebKitWebDriver's MiniBrowser keeps no HTTP cache its worker shares with
// the page (its profile lives in memory only), so there the worker fetches
// again what the page has just loaded; a browser with a disk cache does not.
const cost = server.sent;
if (browser.engine !== 'webkit')
  check(cost <= Budget, `the first visit costs ${cost} bytes with brotli, the worker's fetches included, over ${Budget}`);
console.log(`first visit: ${cost} bytes in ${server.requests.length} requests`);
equal(server.requests.filter((path) => /licen[cs]e/i.test(path)), [], 'the first visit fetches no licence');
check(await page.evaluate(async () => (await fetch('licences/vesmor.txt')).ok), 'a licence is fetched when opened');

// Another day: the player comes back to the first release.
await page.reload();
await waitForGame(page);
equal(await release(), 'first', 'the first release runs');

server.folder = second;
await page.reload();
await waitForGame(page);
const caches2 = await settled(`${version}-2`);
equal(caches2, [`vesmor-${version}-2`], `the first release's copy (${caches1}) is gone`);
for (const visit of ['next', 'one after the next']) {
  await page.reload();
  await waitForGame(page);
  equal(await release(), 'second', `the ${visit} visit after the second release is hosted runs it`);
}

await page.close();
await server.close();
await browser.close();
finish(`release in ${browser.engine} ${browser.version}`);
