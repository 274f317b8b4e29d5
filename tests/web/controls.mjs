// The page's controls as a player uses them, on the tests' build: the help
// that greets (and the English key, which must quote the game's words), the
// keys (Enter, Space and Tab, and no other) and Tab on to the English key,
// the right-click menus, a long press, a tap and a second tap on a touch
// screen, the about box and the help from "?", "?" held and let go off the
// label, the timers going on behind a dialog, the beep, the quit box both
// ways and the page that says the game has ended, the game's exports called
// with bad values and a trap in the game, what a screen reader hears, the
// words outside the window, the size it grows to, and phones and tablets
// with a finger's targets. Every part runs in every engine that can do what
// it needs (a finger, a touch screen, a device pixel ratio other than 1, an
// accessibility tree), the game's clock held.
//
//   node controls.mjs SITE_TEST_FOLDER
import {
  boxOf, canvasPixels, centre, centreOf, check, chooseFromMenu, click, clickOn, clock, equal, finish,
  launch, loadScripted, openScripted, serve, textOf, waitForGame, watch,
} from './lib.mjs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [site] = process.argv.slice(2);
const browser = await launch();
const server = await serve(site);
const skipped = [];

const count = (page) => textOf(page, 'TimeEdit');
const focused = (page) => page.evaluate(() => document.activeElement?.dataset.name ?? document.activeElement?.textContent);
const dialogShown = (page) => page.evaluate(() => document.querySelector('.dialog:not([hidden])')?.getAttribute('aria-label') ?? null);
const menuItems = (page) => page.evaluate(() => [...document.querySelectorAll('.menu .menu-item')].map((i) => i.textContent));
const tick = (page) => page.evaluate(() => globalThis.vesmorTest.tick());
const shown = (page, selector) => page.evaluate((selector) => {
  const e = document.querySelector(selector);
  return Boolean(e && e.checkVisibility() && e.getBoundingClientRect().width > 0);
}, selector);
const texts = (page, selector) => page.evaluate((selector) => [...document.querySelectorAll(selector)].map((e) => e.textContent), selector);

// The parts that need no browser window of their own play one after
// another on one page, each on a fresh load of the game; the others open
// their own (`own`, or options for the browser's window), after closing
// that one: WebKitWebDriver drives one browser at a time. A page not
// `watched` may fail on purpose.
let shared = null;
let current = '';

async function open({keepHelp = false, own = false, watched = true, ...options} = {}) {
  let page = shared;
  if (own || Object.keys(options).length) {
    await shared?.close();
    shared = null;
    page = await openScripted(browser, server.url, {keepHelp, ...options});
  } else if (shared) {
    await loadScripted(shared, server.url, {keepHelp});
  } else {
    page = shared = await openScripted(browser, server.url, {keepHelp});
  }
  if (watched && (page !== shared || !page.watched)) {
    watch(page, server.url, () => `controls, ${current}`);
    page.watched = true;
  }
  return page;
}

const done = (page) => page === shared ? undefined : page.close();

// A part of the test: `needs` says what of the engine it needs; where the
// engine lacks it, the part is skipped and the run says why.
async function part(name, needs, body) {
  const lacking = needs.filter((need) => browser.lacks[need]);
  if (lacking.length) {
    skipped.push(`${name}: ${lacking.map((need) => browser.lacks[need]).join('; ')}`);
    return;
  }
  current = name;
  await body();
}

// The help greets the player with the OK button focused; Enter closes it,
// and Start holds the focus; Tab moves from Start to Redo, then to the
// English key under the window and its links, and round to Start.
await part('the help and the focus', [], async () => {
  const page = await open({keepHelp: true});
  const layout = (await import(pathToFileURL(join(site, 'layout.js')))).default;
  equal(await page.evaluate(() => document.title), layout.mainTitle, 'the page title is the window title');
  equal(await dialogShown(page), 'Help', 'the help greets the player');
  equal(await texts(page, '.dialog:not([hidden]) .memo > div'), layout.helpLines, 'the help text');
  // The English key under the window (the README's) quotes the game's own
  // words: every Japanese text it lists is one the game shows.
  const words = new Set();
  (function collect(v) { if (typeof v === 'string') words.add(v.trim()); else if (v instanceof Object) Object.values(v).forEach(collect); })(layout);
  const quoted = (await texts(page, '#key td:nth-child(2)')).flatMap((t) => t.split(/ \/ |, | … /));
  check(quoted.length > 20 && quoted.every((t) => words.has(t)), `the key quotes the game: ${quoted.filter((t) => !words.has(t))}`);
  equal(await focused(page), 'OKBtn', 'the help opens with OK focused');
  await page.keyboard.press('Escape');
  equal(await dialogShown(page), 'Help', 'Escape does not close the help');
  await page.keyboard.press('Enter');
  equal(await dialogShown(page), null, 'Enter closes the help');
  equal(await focused(page), 'Button3', 'Start holds the focus');
  const stops = [];
  for (const key of ['Tab', 'Tab', 'Enter', 'Tab', 'Tab', 'Shift+Tab', 'Shift+Tab']) {
    await page.keyboard.press(key);
    if (key !== 'Enter') stops.push(await focused(page));
  }
  const [first, ...rest] = await texts(page, '#key a[href]');
  equal(stops, ['Button1', 'English key and how to play', first, rest[0], first, 'English key and how to play'],
    'Tab goes from Start to Redo, then on to the English key and, unfolded, its links');
  await page.keyboard.press('Shift+Tab');
  await page.keyboard.press('Shift+Tab');
  equal(await focused(page), 'Button3', 'and Shift+Tab back to Start');
  await page.keyboard.press('Shift+Tab');
  equal(await focused(page), rest.at(-1), 'round the page both ways');
  // A link of the key opens in a tab of its own: the game plays on.
  const address = await page.evaluate(() => location.href);
  await clickOn(page, '#key a[href]');
  await clock(page, 'run', 1000);
  check(await page.evaluate(() => location.href) === address && await shown(page, '#window'), 'a link leaves the game be');
  await done(page);
});

// No game runs until Start; Enter and Space press the focused button,
// Space only when let go; no other key moves the player.
await part('the keys', [], async () => {
  const page = await open();
  await clock(page, 'run', 3000);
  equal(await count(page), '300', 'no game runs before Start');
  await page.keyboard.press('Enter');
  await clock(page, 'run', 2000);
  equal(await count(page), '298', 'Enter started the game and the count runs');
  // A page woken late (a tab in the background) plays every firing missed.
  await clock(page, 'skip', 10000);
  equal(await count(page), '288', 'woken ten seconds late, the count has gone on');
  await clock(page, 'run', 2000);
  equal(await count(page), '286', 'and goes on as before');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  equal(await count(page), '300', 'Enter pressed the focused Redo');
  await page.keyboard.press('Shift+Tab');
  await clock(page, 'run', 5000);
  await page.keyboard.down(' ');
  equal(await count(page), '295', 'Space presses a button only when let go');
  await page.keyboard.up(' ');
  equal(await count(page), '300', 'Space pressed the focused Start');

  await tick(page);
  const before = await canvasPixels(page, 'View');
  for (const key of ['ArrowUp', 'ArrowLeft', 'ArrowRight', 'KeyW', 'KeyA', 'Home', 'PageDown'])
    await page.keyboard.press(key);
  await tick(page);
  check((await canvasPixels(page, 'View')).equals(before), 'keys other than Enter, Space and Tab do nothing');
  await click(page, 'LeftBtn');
  await tick(page);
  check(!(await canvasPixels(page, 'View')).equals(before), 'a click on the left button turns');
  await done(page);
});

// The menus: Start's lists the mazes, Redo's the times, each opening where
// the pointer is; an item plays its row; Escape closes a menu; a right
// click leaves the focus where it was.
await part('the menus', [], async () => {
  const page = await open();
  await click(page, 'Button3', 'right');
  equal(await menuItems(page), Array.from({length: 10}, (_, n) => `map ${n}`), "Start's menu");
  await page.keyboard.press('Escape');
  equal(await menuItems(page), [], 'Escape closes the menu');
  await chooseFromMenu(page, 'Button3', 'map 5');
  equal(await textOf(page, 'Label2'), '5', 'map 5 chosen');
  const at = await centreOf(page, 'Button1');
  await page.mouse.click(at.x, at.y, {button: 'right'});
  equal(await menuItems(page), ['180秒', '240秒', '300秒', '360秒'], "Redo's menu");
  const box = await boxOf(page, '.menu');
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
  await done(page);
});

// The dialogs: the about box from the icon, the help from "?" (drawing
// nothing), each closed by OK, Enter or its close box and never by Escape;
// the help keeps where it was scrolled.
await part('the dialogs', [], async () => {
  const page = await open();
  await chooseFromMenu(page, 'Button3', 'map 0');
  await click(page, 'Button3');
  await click(page, 'Image1');
  equal(await dialogShown(page), 'ﾊﾞｰｼﾞｮﾝ情報', 'the icon opens the about box');
  const aboutTexts = await texts(page, '.dialog:not([hidden]) .text');
  for (const text of ['Vesmor', 'ver 1.1']) check(aboutTexts.includes(text), `the about box shows ${text}`);
  await click(page, 'LeftBtn');
  await page.keyboard.press('Escape');
  equal(await dialogShown(page), 'ﾊﾞｰｼﾞｮﾝ情報', 'Escape does not close the about box');
  await clickOn(page, '.dialog:not([hidden]) .close-box');
  equal(await dialogShown(page), null, 'the close box closes the about box');

  const map = await canvasPixels(page, 'Image2');
  await click(page, 'Label5', 'right');
  equal(await dialogShown(page), 'Help', 'a right click on "?" opens the help');
  check((await canvasPixels(page, 'Image2')).equals(map), 'the help draws nothing on the map');
  await page.evaluate(() => { document.querySelector('.dialog:not([hidden]) .memo').scrollTop = 120; });
  await clickOn(page, '.dialog:not([hidden]) button.push');
  equal(await dialogShown(page), null, 'OK closes the help');
  await click(page, 'Label5', 'right');
  equal(await page.evaluate(() => document.querySelector('.dialog:not([hidden]) .memo').scrollTop), 120,
    'the help opens where it was scrolled');
  await page.keyboard.press('Enter');
  equal(await focused(page), 'Button3', 'the focus comes back to Start');
  await done(page);
});

await part('the timers behind the dialogs', [], async () => {
  const page = await open();
  await click(page, 'Button3');
  await click(page, 'Image1');
  await clock(page, 'run', 3000);
  equal(await count(page), '297', 'the count runs behind a dialog');
  await clickOn(page, '.dialog:not([hidden]) .close-box');
  await click(page, 'Label1');
  await clock(page, 'run', 2000);
  await page.keyboard.press('Escape');
  equal(await count(page), '295', 'the game went on behind the quit box');
  await click(page, 'Label1');
  await page.keyboard.press('Enter');
  await clock(page, 'run', 5000);
  await tick(page);  // no frame after the close
  equal(await count(page), '295', 'the count stops when the game has ended');
  await done(page);
});

// "?" held flashes the player's cell on the map; let go anywhere, off the
// label too, the map is as before. The forward button beeps once a click,
// only while a game runs.
await part('"?" held and the beep', [], async () => {
  const page = await open();
  await page.evaluate(() => {
    globalThis.beeps = 0;
    const make = AudioContext.prototype.createOscillator;
    AudioContext.prototype.createOscillator = function () { ++globalThis.beeps; return make.call(this); };
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
  const flashed = await canvasPixels(page, 'Image2');
  let lime = 0;
  let changed = 0;
  for (let i = 0; i < flashed.length; i += 4) {
    if (flashed.readUInt32BE(i) === before.readUInt32BE(i)) continue;
    ++changed;
    if (flashed[i] === 0 && flashed[i + 1] === 255 && flashed[i + 2] === 0) ++lime;
  }
  check(changed > 0 && lime > 0, `"?" held flashes the player's cell (${changed} pixels, ${lime} lime)`);
  const view = await centreOf(page, 'View');
  await page.mouse.move(view.x, view.y, {steps: 4});
  await page.mouse.up();
  check((await canvasPixels(page, 'Image2')).equals(before), '"?" let go off the label restores the map');
  await done(page);
});

// The quit box: from "Exit" and from the window's close box, OK then
// ｷｬﾝｾﾙ, OK focused. ｷｬﾝｾﾙ or Escape go back to the game; OK (or Enter)
// ends it for good, and the page says so and offers to start again.
await part('the quit box', [], async () => {
  const page = await open();
  await click(page, 'Button3');
  await click(page, 'Label1');
  equal(await dialogShown(page), '確認', '"Exit" asks');
  check((await texts(page, '.dialog:not([hidden]) .text')).includes('VESMORを終了しますか？'), 'the quit box asks its question');
  equal(await texts(page, '.dialog:not([hidden]) button.push'), ['OK', 'ｷｬﾝｾﾙ'], 'OK, then ｷｬﾝｾﾙ');
  equal(await focused(page), 'OK', 'OK is focused');
  await page.keyboard.press('Escape');
  equal(await dialogShown(page), null, 'Escape answers ｷｬﾝｾﾙ');
  await clickOn(page, '#window .close-box');
  equal(await dialogShown(page), '確認', "the window's close box asks the same");
  await clickOn(page, '.dialog:not([hidden]) button.push', 'ｷｬﾝｾﾙ');
  equal(await dialogShown(page), null, 'ｷｬﾝｾﾙ goes back to the game');
  check(await shown(page, '#window'), 'the game is still there');
  await click(page, 'Label1');
  await page.keyboard.press('Enter');
  check(await shown(page, '#ended'), 'OK ends the game, and the page says so');
  check(!(await shown(page, '#window')), 'the window is gone');
  await clickOn(page, '#again');
  await waitForGame(page);
  equal(await dialogShown(page), 'Help', 'starting again greets anew');
  await done(page);
});

// A long press on Start opens its menu on a touch screen, without pressing
// Start; a tap chooses.
await part('a long press', ['touch'], async () => {
  const page = await open({touch: true});
  const at = await centreOf(page, 'Button3');
  await page.touch.start(at.x, at.y);
  // The long press is timed by the browser's clock, not the game's.
  const opened = await page.waitFor(() => document.querySelectorAll('.menu .menu-item').length, null, 5000).catch(() => 0);
  equal(opened, 10, 'a long press opens the menu');
  await page.touch.end();
  await clock(page, 'run', 2000);
  equal(await count(page), '300', 'the long press did not press Start');
  const item = centre(await boxOf(page, '.menu-item', 'map 7'));
  await page.touch.tap(item.x, item.y);
  equal(await textOf(page, 'Label2'), '7', 'a tap chose map 7');
  await done(page);
});

// A finger on "?": held, it flashes the player's cell until let go; tapped
// twice, it opens the help. A tap on the quit box's OK shows the page that
// says the game has ended, and the tap goes no further (onto "play again").
await part('a tap and a second tap', ['touch'], async () => {
  const page = await open({touch: true});
  const map = await canvasPixels(page, 'Image2');
  const mark = await centreOf(page, 'Label5');
  await page.touch.start(mark.x, mark.y);
  check(!(await canvasPixels(page, 'Image2')).equals(map), 'a finger held on "?" flashes the cell');
  await page.touch.end();
  check((await canvasPixels(page, 'Image2')).equals(map) && await dialogShown(page) === null, 'let go, the map is as it was');
  await page.evaluate(() => new Promise((r) => setTimeout(r, 500)));  // no double tap with that touch
  await page.touch.tap(mark.x, mark.y);
  await page.touch.tap(mark.x, mark.y);
  equal(await dialogShown(page), 'Help', 'a second tap on "?" opens the help');
  const ok = centre(await boxOf(page, '.dialog:not([hidden]) button.push'));
  await page.touch.tap(ok.x, ok.y);
  const exit = await centreOf(page, 'Label1');
  await page.touch.tap(exit.x, exit.y);
  await page.evaluate(() => {
    globalThis.clicks = 0;
    document.addEventListener('click', () => ++globalThis.clicks, true);
  });
  const quit = centre(await boxOf(page, '.dialog:not([hidden]) button.push', 'OK'));
  await page.touch.tap(quit.x, quit.y);
  await page.evaluate(() => new Promise((r) => setTimeout(r, 500)));
  check(await shown(page, '#ended') && await page.evaluate(() => globalThis.clicks) === 0,
    'a tap on OK ends the game, the page says so, and no click lands under the finger');
  await done(page);
});

// What a screen reader hears: Start and Redo by their words, "?", Exit and
// the movement buttons as buttons, the view and the map by their names, the
// notice as a status; and nothing of the window while a dialog is open.
await part('what a screen reader hears', ['accessibility'], async () => {
  const page = await open({keepHelp: true});
  const heard = async () => (await page.accessibility()).map(({role, name}) => `${role} ${name}`);
  const behindHelp = await heard();
  await page.keyboard.press('Enter');
  const window = await heard();
  const named = ['button Start', 'button Redo', 'button 現在地・右ｸﾘｯｸでﾍﾙﾌﾟ', 'button Exit', 'button 正面に進みます',
    'image 前方の眺め', 'image 地図', 'timer 残り時間', 'status '];
  equal(named.filter((n) => !window.includes(n)), [], 'the window, named');
  equal(named.filter((n) => behindHelp.includes(n)), [], 'nothing of the window behind the help');
  await done(page);
});

// Every text outside the window stands out from its ground by 4.5 : 1 at
// least: the key's line, the line under the window, the pages shown when
// the game has ended, has stopped or cannot start.
await part('the words outside the window', [], async () => {
  const page = await open();
  const ratios = await page.evaluate(() => {
    const luminance = (colour) => {
      const [r, g, b] = colour.match(/[\d.]+/g).slice(0, 3).map((v) => v / 255)
        .map((v) => (v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4));
      return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const ground = (e) => {
      for (; e; e = e.parentElement) {
        const colour = getComputedStyle(e).backgroundColor;
        if (!/rgba\(.*, 0\)$|transparent/.test(colour)) return colour;
      }
      return 'rgb(255, 255, 255)';
    };
    return [...document.querySelectorAll('#key > summary, #turn, #ended p, #stopped p, #unserved p')].map((e) => {
      const [a, b] = [luminance(getComputedStyle(e).color), luminance(ground(e))];
      return [e.textContent.slice(0, 20), (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05)];
    });
  });
  check(ratios.length >= 7 && ratios.every(([, ratio]) => ratio >= 4.5), `contrast: ${JSON.stringify(ratios)}`);
  await done(page);
});

// Phones and tablets, upright and sideways. Sideways the window fills nine
// tenths of the screen's height at least; upright it is as wide as the
// screen, and a line under it says that turning makes it larger. Each
// control a finger uses (the window's, the menus' items, the dialogs' and
// the quit box's buttons, the close boxes) takes a touch on 24 x 24 CSS
// pixels at least, reaching past its face but onto no other control.
const targets = (page, selector) => page.evaluate((selector) => {
  const visible = (e) => e.getClientRects().length > 0;
  const faces = [...document.querySelectorAll('[data-name], .push, .close-box')].filter(visible);
  const frame = (e) => e.closest('.frame, .menu');
  return [...document.querySelectorAll(selector)].filter(visible).map((e) => {
    const face = e.getBoundingClientRect();
    const others = faces.filter((f) => frame(f) === frame(e) && !f.contains(e) && !e.contains(f))
      .map((f) => f.getBoundingClientRect());
    const box = {left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity};
    let onto = 0;
    for (let y = Math.floor(face.top) - 40; y < face.bottom + 40; ++y) {
      for (let x = Math.floor(face.left) - 40; x < face.right + 40; ++x) {
        if (!e.contains(document.elementFromPoint(x + 0.5, y + 0.5))) continue;
        Object.assign(box, {left: Math.min(box.left, x), top: Math.min(box.top, y), right: Math.max(box.right, x + 1),
          bottom: Math.max(box.bottom, y + 1)});
        // A face's edge may fall inside a pixel, which hit testing rounds
        // either way: only the pixels well inside another face count.
        onto += others.some((r) => x > r.left && x + 2 < r.right && y > r.top && y + 2 < r.bottom);
      }
    }
    return {name: e.dataset.name ?? e.className, width: box.right - box.left, height: box.bottom - box.top, onto};
  });
}, selector);

for (const [width, height, ratio] of [[390, 844, 3], [844, 390, 3], [768, 1024, 2], [1024, 768, 2]]) {
  await part(`a finger at ${width} x ${height}`, ['touchscreen', 'scale'], async () => {
    const page = await open({width, height, deviceScaleFactor: ratio, touch: true, keepHelp: true});
    const window = await boxOf(page, '#window');
    if (width > height) check(window.height >= 0.9 * height, `sideways the window is ${window.height} high`);
    else check(window.width >= width - 1, `upright the window is ${window.width} wide`);
    equal(await shown(page, '#turn'), width < height, 'the line that says to turn the screen, upright only');
    const small = [];
    const measure = async (selector) => {
      for (const t of await targets(page, selector)) if (t.width < 24 || t.height < 24 || t.onto) small.push(t);
    };
    const tap = async (selector, text) => {
      const at = centre(await boxOf(page, selector, text));
      await page.touch.tap(at.x, at.y);
    };
    await measure('.dialog:not([hidden]) :is(.push, .close-box)');
    await tap('.dialog:not([hidden]) .push');
    await measure('#client > [role=button], #client > button, #window .close-box');
    const start = await centreOf(page, 'Button3');
    await page.touch.start(start.x, start.y);
    await page.waitFor(() => document.querySelector('.menu'), null, 5000);
    await page.touch.end();
    await measure('.menu-item');
    await tap('.menu-item', 'map 3');
    for (const [opener, close] of [['[data-name="Image1"]', 'OK'], ['[data-name="Label1"]', 'ｷｬﾝｾﾙ']]) {
      await tap(opener);
      await measure('.dialog:not([hidden]) :is(.push, .close-box)');
      await tap('.dialog:not([hidden]) .push', close);
    }
    equal(small, [], `every finger's target at ${width} x ${height} is large enough and on its own`);
    await done(page);
  });
}

// The game's gate: every export called with what the page never sends
// refuses it and says why, and the game on show stays as it was. A trap in
// the game's WebAssembly stops the page with one line and a button that
// plays again.
await part('the bad calls and a trap', [], async () => {
  const page = await open({own: true, watched: false});  // the trap fails on purpose
  await chooseFromMenu(page, 'Button3', 'map 0');
  await click(page, 'Button3');
  await clock(page, 'run', 1000);
  const view = await canvasPixels(page, 'View');
  const calls = await page.evaluate(() => {
    const core = globalThis.vesmorTest.core;
    const why = () => {
      const text = core.HEAPU8.subarray(core._vesmor_refusal());
      return new TextDecoder().decode(text.subarray(0, text.indexOf(0)));
    };
    return [['create', 1], ['play', 0, 10, 1000], ['play', 0, -2147483648, 1000], ['play', 1, -1, 1000],
      ['play', 1, 2147483647, 1000], ['play', 15, 0, 1000], ['play', 2, 1, 1000], ['play', 2, 0, NaN],
      ['play', 2, 0, 999], ['run', -1], ['run', Infinity], ['place', 30, 0, 0], ['place', 0, 0, 4], ['slot', 7],
    ].map(([f, ...args]) => ({call: `vesmor_${f}(${args.join(', ')})`, result: core[`_vesmor_${f}`](...args), why: why()}));
  });
  for (const c of calls) check(c.result === 0 && c.why !== '', `${c.call} is refused with a reason: ${c.result}, '${c.why}'`);
  equal(calls[1].why, "'map' does not take 10", 'the reason names the row and the value');
  equal(await count(page), '299', 'the count goes on as before');
  check((await canvasPixels(page, 'View')).equals(view), 'the view is as before');

  await page.evaluate(() => globalThis.vesmorTest.trap());
  await page.waitFor(() => !document.getElementById('stopped').hidden);
  check(!(await shown(page, '#window')), 'after a trap the window is gone');
  const line = await page.evaluate(() => document.querySelector('#stopped p').innerText);
  check(/Vesmor has stopped: .*unreachable/i.test(line) && !line.includes('\n'), `one line says why: ${line}`);
  equal(await page.evaluate(() => document.activeElement?.closest('#stopped') !== null), true, 'its button has the focus');
  await clickOn(page, '#stopped button');
  await waitForGame(page);
  equal(await dialogShown(page), 'Help', 'playing again greets anew');
  await page.close();
});

// Larger browser windows show the window larger by whole device pixels,
// the view's pixels square and sharp.
for (const [width, height, ratio, pixels] of [[800, 600, 1, 1], [1200, 1100, 1, 2], [1200, 1100, 2, 4], [800, 600, 1.5, 1]]) {
  await part(`the size at ${width} x ${height}, ${ratio} device pixels a pixel`, ratio === 1 ? [] : ['scale'], async () => {
    const page = await open({width, height, deviceScaleFactor: ratio});
    const scale = await page.evaluate(() => new DOMMatrix(getComputedStyle(document.getElementById('stage')).transform).a);
    check(Math.abs(scale * ratio - pixels) < 1e-4, `${width} x ${height} at ${ratio}: ${scale * ratio} device pixels a window pixel, want ${pixels}`);
    if (ratio === 1 && pixels === 2) {
      await tick(page);
      const view = await canvasPixels(page, 'View');
      const {width: w, rgba} = await page.shot(await boxOf(page, '[data-name="View"]'));
      let wrong = 0;
      for (let y = 0; y < 330 * 2; ++y)
        for (let x = 0; x < 330 * 2; ++x)
          if (rgba.readUInt32BE((y * w + x) * 4) !== view.readUInt32BE(((y >> 1) * 330 + (x >> 1)) * 4)) ++wrong;
      equal(wrong, 0, 'at twice the size every view pixel is a sharp 2 x 2 square');
    }
    await done(page);
  });
}

await shared?.close();
await server.close();
await browser.close();
for (const part of skipped) console.log(`not in ${browser.engine}: ${part}`);
finish(`controls in ${browser.engine} ${browser.version}`);
