// The page's controls as a player uses them, on the tests' build with its
// clock held: the help that greets (and the English key, which must quote
// the game's words), the keys (Enter, Space and Tab, and no other), the
// right-click menus and a long press on a touch screen, the about box and
// the help from "?", "?" held and let go off the label, the timers going on
// behind a dialog, the beep, the quit box both ways and the page that says
// the game has ended, and the size it grows to.
//
//   node controls.mjs SITE_TEST_FOLDER
import {
  canvasPixels, centreOf, check, chooseFromMenu, click, control, equal, finish, launch, openScripted, readPng, serve,
  waitForGame, watch,
} from './lib.mjs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [site] = process.argv.slice(2);
const browser = await launch();
const server = await serve(site);

const count = (page) => control(page, 'TimeEdit').textContent();
const focused = (page) => page.evaluate(() => document.activeElement?.dataset.name ?? document.activeElement?.textContent);
const dialogShown = (page) => page.evaluate(() => document.querySelector('.dialog:not([hidden])')?.getAttribute('aria-label') ?? null);
const menuItems = (page) => page.evaluate(() => [...document.querySelectorAll('.menu .menu-item')].map((i) => i.textContent));
const tick = (page) => page.evaluate(() => globalThis.vesmorTest.tick());

async function open(options = {}) {
  const opened = await openScripted(browser, server.url, options);
  watch(opened.page, server.url, 'controls');
  return opened;
}

// The help greets the player with the OK button focused; no game runs after
// it closes, and Start holds the focus.
{
  const {context, page} = await open({keepHelp: true});
  const layout = (await import(pathToFileURL(join(site, 'layout.js')))).default;
  equal(await page.title(), layout.mainTitle, 'the page title is the window title');
  equal(await dialogShown(page), 'Help', 'the help greets the player');
  equal(await page.locator('.dialog:not([hidden]) .memo > div').allTextContents(), layout.helpLines, 'the help text');
  // The English key under the window (the README's) quotes the game's own
  // words: every Japanese text it lists is one the game shows.
  const words = new Set();
  (function collect(v) { if (typeof v === 'string') words.add(v.trim()); else if (v instanceof Object) Object.values(v).forEach(collect); })(layout);
  const quoted = (await page.locator('#key td:nth-child(2)').allTextContents()).flatMap((t) => t.split(/ \/ |, | … /));
  check(quoted.length > 20 && quoted.every((t) => words.has(t)), `the key quotes the game: ${quoted.filter((t) => !words.has(t))}`);
  equal(await focused(page), 'OKBtn', 'the help opens with OK focused');
  await page.keyboard.press('Escape');
  equal(await dialogShown(page), 'Help', 'Escape does not close the help');
  await page.keyboard.press('Enter');
  equal(await dialogShown(page), null, 'Enter closes the help');
  equal(await focused(page), 'Button3', 'Start holds the focus');
  await page.clock.runFor(3000);
  equal(await count(page), '300', 'no game runs before Start');

  // Enter presses Start; Tab moves between Start and Redo only.
  await page.keyboard.press('Enter');
  await page.clock.runFor(2000);
  equal(await count(page), '298', 'Enter started the game and the count runs');
  // A page woken late (a tab in the background) plays every firing missed.
  await page.clock.fastForward(10000);
  equal(await count(page), '288', 'woken ten seconds late, the count has gone on');
  await page.clock.runFor(2000);
  equal(await count(page), '286', 'and goes on as before');
  await page.keyboard.press('Tab');
  equal(await focused(page), 'Button1', 'Tab moves to Redo');
  await page.keyboard.press('Tab');
  equal(await focused(page), 'Button3', 'Tab moves back to Start');
  await page.keyboard.press('Shift+Tab');
  equal(await focused(page), 'Button1', 'Shift+Tab moves to Redo');
  await page.keyboard.press('Enter');
  equal(await count(page), '300', 'Enter pressed the focused Redo');
  await page.keyboard.press('Tab');
  await page.clock.runFor(5000);
  await page.keyboard.down(' ');
  equal(await count(page), '295', 'Space presses a button only when let go');
  await page.keyboard.up(' ');
  equal(await count(page), '300', 'Space pressed the focused Start');

  // No other key moves the player.
  await tick(page);
  const before = await canvasPixels(page, 'View');
  for (const key of ['ArrowUp', 'ArrowLeft', 'ArrowRight', 'KeyW', 'KeyA', 'Home', 'PageDown'])
    await page.keyboard.press(key);
  await tick(page);
  check((await canvasPixels(page, 'View')).equals(before), 'keys other than Enter, Space and Tab do nothing');
  await click(page, 'LeftBtn');
  await tick(page);
  check(!(await canvasPixels(page, 'View')).equals(before), 'a click on the left button turns');
  await context.close();
}

// The menus: Start's lists the mazes, Redo's the times, each opening where
// the pointer is; an item plays its row; Escape closes a menu; a right
// click leaves the focus where it was.
{
  const {context, page} = await open();
  await click(page, 'Button3', 'right');
  equal(await menuItems(page), Array.from({length: 10}, (_, n) => `map ${n}`), "Start's menu");
  await page.keyboard.press('Escape');
  equal(await menuItems(page), [], 'Escape closes the menu');
  await chooseFromMenu(page, 'Button3', 'map 5');
  equal(await control(page, 'Label2').textContent(), '5', 'map 5 chosen');
  const at = await centreOf(page, 'Button1');
  await page.mouse.click(at.x, at.y, {button: 'right'});
  equal(await menuItems(page), ['180秒', '240秒', '300秒', '360秒'], "Redo's menu");
  const box = await page.locator('.menu').boundingBox();
  check(Math.abs(box.x - at.x) <= 1 && Math.abs(box.y - at.y) <= 1, `the menu opens at the pointer (${box.x}, ${box.y})`);
  await page.keyboard.press('Escape');
  await page.keyboard.press('Tab');
  equal(await focused(page), 'Button1', 'Redo focused');
  await chooseFromMenu(page, 'Button3', 'map 2');
  equal(await focused(page), 'Button1', 'a menu leaves the focus where it was');
  await chooseFromMenu(page, 'Button1', '180秒');
  equal(await count(page), '300', 'a new time waits for Start');
  await click(page, 'Button3');
  equal(await count(page), '180', 'Start counts from the time chosen');
  await context.close();
}

// A long press on Start opens its menu on a touch screen, without pressing
// Start; a tap chooses.
{
  const {context, page} = await open({hasTouch: true});
  const cdp = await context.newCDPSession(page);
  const at = await centreOf(page, 'Button3');
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints: points});
  await touch('touchStart', [{x: at.x, y: at.y}]);
  await page.clock.runFor(600);
  equal((await menuItems(page)).length, 10, 'a long press opens the menu');
  await touch('touchEnd', []);
  await page.clock.runFor(2000);
  equal(await count(page), '300', 'the long press did not press Start');
  const item = await page.locator('.menu-item', {hasText: /^map 7$/}).boundingBox();
  await page.touchscreen.tap(item.x + item.width / 2, item.y + item.height / 2);
  equal(await control(page, 'Label2').textContent(), '7', 'a tap chose map 7');
  await context.close();
}

// The dialogs: the about box from the icon, the help from "?" (drawing
// nothing), each closed by OK, Enter or its close box and never by Escape;
// the help keeps where it was scrolled; the timers run on behind them.
{
  const {context, page} = await open();
  await chooseFromMenu(page, 'Button3', 'map 0');
  await click(page, 'Button3');
  await click(page, 'Image1');
  equal(await dialogShown(page), 'ﾊﾞｰｼﾞｮﾝ情報', 'the icon opens the about box');
  const about = page.locator('.dialog:not([hidden])');
  for (const text of ['Vesmor', 'ver 1.1']) check(await about.getByText(text, {exact: true}).isVisible(), `the about box shows ${text}`);
  await page.clock.runFor(3000);
  equal(await count(page), '297', 'the count runs behind a dialog');
  await click(page, 'LeftBtn');
  await page.keyboard.press('Escape');
  equal(await dialogShown(page), 'ﾊﾞｰｼﾞｮﾝ情報', 'Escape does not close the about box');
  await about.locator('.close-box').click();
  equal(await dialogShown(page), null, 'the close box closes the about box');

  const map = await canvasPixels(page, 'Image2');
  await click(page, 'Label5', 'right');
  equal(await dialogShown(page), 'Help', 'a right click on "?" opens the help');
  check((await canvasPixels(page, 'Image2')).equals(map), 'the help draws nothing on the map');
  await page.locator('.dialog:not([hidden]) .memo').evaluate((memo) => { memo.scrollTop = 120; });
  await page.locator('.dialog:not([hidden]) button.push').click();
  equal(await dialogShown(page), null, 'OK closes the help');
  await click(page, 'Label5', 'right');
  equal(await page.locator('.dialog:not([hidden]) .memo').evaluate((memo) => memo.scrollTop), 120,
    'the help opens where it was scrolled');
  await page.keyboard.press('Enter');
  equal(await focused(page), 'Button3', 'the focus comes back to Start');
  await context.close();
}

// "?" held flashes the player's cell on the map; let go anywhere, off the
// label too, the map is as before. The forward button beeps once a click,
// only while a game runs.
{
  const {context, page} = await open({
    before: (p) => p.addInitScript(() => {
      globalThis.beeps = 0;
      const make = AudioContext.prototype.createOscillator;
      AudioContext.prototype.createOscillator = function () { ++globalThis.beeps; return make.call(this); };
    }),
  });
  await chooseFromMenu(page, 'Button3', 'map 0');
  await click(page, 'MaeBtn');
  equal(await page.evaluate(() => globalThis.beeps), 0, 'no beep before Start');
  await click(page, 'Button3');
  await click(page, 'MaeBtn');
  await tick(page);
  equal(await page.evaluate(() => globalThis.beeps), 1, 'one beep for a forward click');
  const before = await canvasPixels(page, 'Image2');
  const at = await centreOf(page, 'Label5');
  await page.mouse.move(at.x, at.y);
  await page.mouse.down();
  const held = await canvasPixels(page, 'Image2');
  let lime = 0;
  let changed = 0;
  for (let i = 0; i < held.length; i += 4) {
    if (held.readUInt32BE(i) === before.readUInt32BE(i)) continue;
    ++changed;
    if (held[i] === 0 && held[i + 1] === 255 && held[i + 2] === 0) ++lime;
  }
  check(changed > 0 && lime > 0, `"?" held flashes the player's cell (${changed} pixels, ${lime} lime)`);
  const view = await centreOf(page, 'View');
  await page.mouse.move(view.x, view.y, {steps: 4});
  await page.mouse.up();
  check((await canvasPixels(page, 'Image2')).equals(before), '"?" let go off the label restores the map');
  await context.close();
}

// The quit box: from "Exit" and from the window's close box, OK then
// ｷｬﾝｾﾙ, OK focused. ｷｬﾝｾﾙ or Escape go back to the game, which has gone
// on counting; OK (or Enter) ends it for good, and the page says so and
// offers to start again.
{
  const {context, page} = await open();
  await click(page, 'Button3');
  await click(page, 'Label1');
  equal(await dialogShown(page), '確認', '"Exit" asks');
  const box = page.locator('.dialog:not([hidden])');
  check(await box.getByText('VESMORを終了しますか？').isVisible(), 'the quit box asks its question');
  equal(await box.locator('button.push').allTextContents(), ['OK', 'ｷｬﾝｾﾙ'], 'OK, then ｷｬﾝｾﾙ');
  equal(await focused(page), 'OK', 'OK is focused');
  await page.clock.runFor(2000);
  await page.keyboard.press('Escape');
  equal(await dialogShown(page), null, 'Escape answers ｷｬﾝｾﾙ');
  equal(await count(page), '298', 'the game went on behind the quit box');
  await page.locator('#window .close-box').click();
  equal(await dialogShown(page), '確認', "the window's close box asks the same");
  await box.getByText('ｷｬﾝｾﾙ').click();
  equal(await dialogShown(page), null, 'ｷｬﾝｾﾙ goes back to the game');
  await page.clock.runFor(1000);
  equal(await count(page), '297', 'the game goes on');
  await click(page, 'Label1');
  await page.keyboard.press('Enter');
  check(await page.locator('#ended').isVisible(), 'OK ends the game, and the page says so');
  check(!(await page.locator('#window').isVisible()), 'the window is gone');
  await page.clock.runFor(5000);
  await page.evaluate(() => globalThis.vesmorTest.tick());  // no frame after the close
  await page.locator('#again').click();
  await waitForGame(page);
  equal(await dialogShown(page), 'Help', 'starting again greets anew');
  await context.close();
}

// Larger browser windows show the window larger by whole device pixels,
// the view's pixels square and sharp.
for (const [width, height, ratio, pixels] of [[800, 600, 1, 1], [1200, 1100, 1, 2], [1200, 1100, 2, 4], [800, 600, 1.5, 1]]) {
  const {context, page} = await open({viewport: {width, height}, deviceScaleFactor: ratio});
  const scale = await page.evaluate(() => new DOMMatrix(getComputedStyle(document.getElementById('stage')).transform).a);
  check(Math.abs(scale * ratio - pixels) < 1e-4, `${width} x ${height} at ${ratio}: ${scale * ratio} device pixels a window pixel, want ${pixels}`);
  if (ratio === 1 && pixels === 2) {
    await tick(page);
    const view = await canvasPixels(page, 'View');
    const box = await control(page, 'View').boundingBox();
    const shot = await page.screenshot({clip: box});
    const {width: w, rgba} = readPng(shot);
    let wrong = 0;
    for (let y = 0; y < 330 * 2; ++y)
      for (let x = 0; x < 330 * 2; ++x)
        if (rgba.readUInt32BE((y * w + x) * 4) !== view.readUInt32BE(((y >> 1) * 330 + (x >> 1)) * 4)) ++wrong;
    equal(wrong, 0, 'at twice the size every view pixel is a sharp 2 x 2 square');
  }
  await context.close();
}

await server.close();
await browser.close();
finish('controls');
