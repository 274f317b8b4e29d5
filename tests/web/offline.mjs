// The site as it ships, on real time: it asks for nothing outside its own
// origin and says it may not (its Content-Security-Policy), its console
// stays clean, its fonts are its own, it keeps no game state, it is an
// installable app, and after the first visit it plays with no network
// (the server gone, and where the engine can say so, the network off).
//
//   node offline.mjs SITE_FOLDER
import { check, equal, finish, launch, serve, textOf, waitForGame, watch } from './lib.mjs';

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

// The app: its manifest and icon.
const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
equal([manifest.name, manifest.display, manifest.start_url], ['Vesmor', 'standalone', './'], 'the manifest');
check(manifest.icons.some((i) => i.sizes === 'any' || parseInt(i.sizes, 10) >= 192), 'an icon large enough to install');

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
await browser.close();
finish(`offline in ${browser.engine} ${browser.version}`);
