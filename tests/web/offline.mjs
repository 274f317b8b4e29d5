// The site as it ships, on real time: it asks for nothing outside its own
// origin and says it may not (its Content-Security-Policy), its console
// stays clean, its fonts are its own, it keeps no game state, it is an
// installable app (where the browser installs apps, it says it would), and
// after the first visit it plays with no network (the server gone, and
// where the engine can say so, the network off). Opened from the disk, it
// says it must be served, and how.
//
//   node offline.mjs SITE_FOLDER
import { check, equal, finish, launch, serve, textOf, waitForGame, watch } from './lib.mjs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [site] = process.argv.slice(2);
const browser = await launch();
const server = await serve(site);
const page = await browser.newPage();
watch(page, server.url, 'shipped site');

await page.goto(server.url);
await waitForGame(page);
const policy = await page.evaluate(() => document.querySelector('meta[http-equiv="Content-Security-Policy"]').content);
check(/default-src 'self'/.test(policy) && !/https?:|\*/.test(policy), `the page allows only its own origin: ${policy}`);
equal(await page.evaluate(() => typeof globalThis.vesmorTest), 'undefined', 'the shipped page has no test hook');

// Every face the window names is the page's own font, loaded.
const allFonts = () => page.evaluate(async () => {
  await Promise.allSettled([...document.fonts].map((f) => f.load()));
  return [...document.fonts].map((f) => `${f.family} ${f.weight} ${f.style} ${f.status}`).sort();
});
const faces = await allFonts();
check(faces.length >= 4 && faces.every((f) => f.endsWith('loaded')), `the fonts: ${faces.join(', ')}`);

// Real time: the count goes down once a second after Start.
await page.keyboard.press('Enter');  // the help's OK
await page.keyboard.press('Enter');  // Start
await new Promise((r) => setTimeout(r, 2300));
const counted = Number(await textOf(page, 'TimeEdit'));
check(counted >= 297 && counted <= 299, `the count runs on the clock: ${counted} after 2.3 s`);

// The app: its manifest, its icons for every launcher (192 and 512 pixels,
// one a launcher may cut to its own shape) and a phone's home screen.
const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
equal([manifest.name, manifest.display, manifest.start_url], ['Vesmor', 'standalone', './'], 'the manifest');
const icons = manifest.icons.filter((i) => i.type === 'image/png').map((i) => `${i.sizes} ${i.purpose}`);
equal(['192x192 any', '512x512 any', '512x512 maskable'].filter((i) => !icons.includes(i)), [], 'the app icons');
check(await page.evaluate(async () => (await fetch(document.querySelector('link[rel=apple-touch-icon]').href)).ok),
  "a home screen's icon");
if (!browser.lacks.install) equal(await browser.installable(server.url), [], 'the browser would install it');

// Kept by the service worker, then played again with the server gone and
// the network off.
await page.evaluate(async () => {
  await navigator.serviceWorker.ready;
  if (!navigator.serviceWorker.controller)
    await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, {once: true}));
});
await server.close();
await page.offline(true);
await page.reload();
await waitForGame(page);
await page.keyboard.press('Enter');
await page.keyboard.press('Enter');
await new Promise((r) => setTimeout(r, 1300));
check(Number(await textOf(page, 'TimeEdit')) < 300, 'offline, the game plays');
const fontsOffline = await allFonts();
check(fontsOffline.every((f) => f.endsWith('loaded')), `offline, the fonts load: ${fontsOffline.join(', ')}`);

// Nothing of the game is kept once the tab is gone.
const kept = await page.evaluate(async () => ({
  local: localStorage.length, session: sessionStorage.length, cookies: document.cookie,
  databases: (await indexedDB.databases()).length,
}));
equal(kept, {local: 0, session: 0, cookies: '', databases: 0}, 'no game state kept');

await page.close();

// From the disk the game cannot load: the page says so, in words.
const fromDisk = await browser.newPage();
await fromDisk.goto(pathToFileURL(join(site, 'index.html')).href);
const said = await fromDisk.waitFor(() => document.getElementById('unserved').checkVisibility() &&
  document.getElementById('unserved').textContent, null, 10000).catch(() => '');
check(said.includes('web server') && said.includes('make web-run'), `opened from the disk, the page says how to play: ${said}`);
await fromDisk.close();
await browser.close();
finish(`offline in ${browser.engine} ${browser.version}`);
