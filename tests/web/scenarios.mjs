// The golden scenarios in the browser: every script given is played by the
// scenario driver on the desktop's window and again on the web page, by
// clicking it (the maze from Start's menu, the time from Redo's), with the
// page's clock held and moved as the script says. At every "state" line and
// at the end:
//   - the view's and the map's pixels read from the page equal the driver's
//     pictures of the same moment, byte for byte;
//   - the count, the maze digit, the notice and the panels on the page are
//     those of the driver's state line;
//   - a screenshot of the page's window equals the driver's picture of the
//     whole window everywhere but inside its texts: the captions, the count,
//     the digit and the notice are drawn by each toolkit's own text
//     renderer (the page's fonts are the same faces, cut to the game's
//     characters, but the browser places and smooths glyphs its own way),
//     so their boxes are left out; every other pixel, the decorations, the
//     pictures, the button faces and edges and the two bitmaps, must be
//     equal (no tolerance);
//   - in Chromium, whose text the page's words are placed against, the ink
//     of every text control (the count, Start, Redo, Exit, "?", the digit,
//     the notice, the panels) stands where the desktop's does.
// At the end, in Chromium, the focus ring on Start and Redo is the
// desktop's.
//
//   node scenarios.mjs SITE_TEST_FOLDER VESMOR_SCRIPT SCRIPT.vms...
import {
  boxOf, canvasPixels, check, equal, finish, launch, loadScripted, parseState, playLine, read, readPng, runDriver,
  scriptLines, serve, shownState, temporaryFolder, watch,
} from './lib.mjs';
import { join, basename } from 'node:path';

const [site, driver, ...scripts] = process.argv.slice(2);
const folder = temporaryFolder();

// Inside these boxes the window shows words or digits.
async function textBoxes(page) {
  return page.evaluate(() => {
    const client = document.getElementById('client').getBoundingClientRect();
    const boxes = [];
    for (const e of document.querySelectorAll('#client > [data-name]')) {
      if (e.hidden) continue;
      const r = e.getBoundingClientRect();
      const box = {x: r.left - client.left, y: r.top - client.top, w: r.width, h: r.height};
      if (e.matches('.count, .panel, .text.sized')) boxes.push(box);
      else if (e.matches('.text')) boxes.push({x: box.x - 2, y: box.y - 2, w: box.w + 6, h: box.h + 4});
      else if (e.matches('.push')) boxes.push({x: box.x + 3, y: box.y + 3, w: box.w - 6, h: box.h - 6});
    }
    return boxes;
  });
}

// Each text control's box, ground and ink, in client coordinates: a push
// button's inside its edge, a text sized to its words with room around.
const textControls = (page) => page.evaluate(() => {
  const client = document.getElementById('client').getBoundingClientRect();
  const rgb = (colour) => colour.match(/\d+/g).slice(0, 3).map(Number);
  return [...document.querySelectorAll('#client > :is(.count, .push, .text, .panel)')].filter((e) => !e.hidden).map((e) => {
    const r = e.getBoundingClientRect();
    const by = e.matches('.push') ? -2 : e.matches('.text:not(.sized)') ? 3 : 0;
    const ground = getComputedStyle(e).backgroundColor;
    return {name: e.dataset.name, x: Math.round(r.left - client.left) - by, y: Math.round(r.top - client.top) - by,
      w: Math.round(r.width) + 2 * by, h: Math.round(r.height) + 2 * by, ink: rgb(getComputedStyle(e).color),
      ground: /rgba\(.*, 0\)$/.test(ground) ? [192, 192, 192] : rgb(ground)};
  });
});

// Where a text's ink stands: the box of the pixels that differ from its
// ground, and the box of those at least half-way to its ink. Two text
// renderers shade a glyph's edge each their own way, a faint fringe or a
// half-covered pixel more or less, never both: an edge stands where the
// desktop's does when one of the two boxes has it there.
function inkBoxes(png, {x, y, w, h, ground, ink}) {
  const span = Math.max(...ground.map((g, c) => Math.abs(g - ink[c])));
  const boxes = [[Infinity, Infinity, -Infinity, -Infinity], [Infinity, Infinity, -Infinity, -Infinity]];
  for (let row = y; row < y + h; ++row) {
    for (let column = x; column < x + w; ++column) {
      const i = (row * png.width + column) * 4;
      const off = Math.max(...ground.map((g, c) => Math.abs(png.rgba[i + c] - g)));
      boxes.forEach((box, half) => {
        if (off > half * span / 2) box.splice(0, 4, Math.min(box[0], column), Math.min(box[1], row), Math.max(box[2], column), Math.max(box[3], row));
      });
    }
  }
  return boxes;
}

async function compareInk(page, got, want, what) {
  for (const control of await textControls(page)) {
    const [gotAny, gotHalf] = inkBoxes(got, control);
    const [wantAny, wantHalf] = inkBoxes(want, control);
    const placed = gotAny.every((edge, i) => edge === wantAny[i] || gotHalf[i] === wantHalf[i]);
    check(placed, `${what}: ${control.name}'s ink stands at ${gotAny} (at half ${gotHalf}), the desktop's at ${wantAny} (${wantHalf})`);
  }
}

async function compareWindow(page, want, what) {
  await page.mouse.move(0, 0);  // no tool-tip over the window
  // The driver's window has no focus to show.
  const focused = await page.evaluate(() => { const e = document.activeElement; e?.blur(); return e?.dataset.name; });
  const got = await page.shot(await boxOf(page, '#client'));
  if (focused) await page.evaluate((name) => document.querySelector(`[data-name="${name}"]`).focus(), focused);
  if (browser.engine === 'chromium') await compareInk(page, got, want, what);
  if (!equal([got.width, got.height], [want.width, want.height], `${what}: window size`)) return;
  const boxes = await textBoxes(page);
  const inText = (x, y) => boxes.some((b) => x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h);
  let differing = 0;
  let compared = 0;
  let first = null;
  for (let y = 0; y < want.height; ++y) {
    for (let x = 0; x < want.width; ++x) {
      const i = (y * want.width + x) * 4;
      if (inText(x, y)) continue;
      ++compared;
      if (got.rgba[i] !== want.rgba[i] || got.rgba[i + 1] !== want.rgba[i + 1] || got.rgba[i + 2] !== want.rgba[i + 2]) {
        ++differing;
        first ??= `(${x}, ${y})`;
      }
    }
  }
  check(differing === 0, `${what}: ${differing} pixels of the window differ outside its texts, the first at ${first}`);
  console.log(`${what}: window, ${compared} of ${want.width * want.height} pixels compared, ${differing} differ`);
}

function comparePixels(got, want, what) {
  if (!equal(got.length, want.rgba.length, `${what}: bytes`)) return;
  let differing = 0;
  for (let i = 0; i < got.length; ++i) if (got[i] !== want.rgba[i]) ++differing;
  check(differing === 0, `${what}: ${differing} bytes differ from the driver's picture`);
}

const browser = await launch();
const server = await serve(site);
let windowsCompared = 0;
// One page plays every scenario, each on a fresh load of the game.
const page = await browser.newPage();
let name = '';
watch(page, server.url, () => name);

for (const script of scripts) {
  name = basename(script, '.vms');
  const lines = scriptLines(read(script));
  const last = lines.findLastIndex((line) => line.command);  // the end, a checkpoint
  // The driver's script: the same lines, with its pictures at every
  // checkpoint; its own picture lines become checkpoints.
  const checkpoints = [];
  let driverScript = '';
  lines.forEach((line, i) => {
    const pictured = ['scene', 'map-image', 'window'].includes(line.command);
    if (!pictured) driverScript += line.raw + '\n';
    if (line.command === 'state' || pictured || i === last) {
      const at = join(folder, `${name}-${i}`);
      driverScript += `scene ${at}-scene.png\nmap-image ${at}-map.png\nwindow ${at}-window.png\n`;
      checkpoints.push(i);
    }
  });
  const states = runDriver(driver, driverScript).split('\n').filter((l) => l.startsWith('maze='));

  await loadScripted(page, server.url);
  let stateIndex = 0;
  let ticked = false;  // until the first tick, the view is the one drawn from the random start
  for (const [i, line] of lines.entries()) {
    await playLine(page, line.command, line.numbers);
    ticked ||= line.command === 'tick' || line.command === 'wait' && line.numbers[0] >= 50;
    if (!checkpoints.includes(i)) continue;
    const where = `${name}, line ${i + 1} (${line.raw.trim()})`;
    const at = join(folder, `${name}-${i}`);
    if (ticked) comparePixels(await canvasPixels(page, 'View'), readPng(`${at}-scene.png`), `${where}: view`);
    comparePixels(await canvasPixels(page, 'Image2'), readPng(`${at}-map.png`), `${where}: map`);
    if (line.command === 'state') equal(await shownState(page), parseState(states[stateIndex++]), `${where}: state on show`);
    if (line.command === 'window' || i === last) {
      await compareWindow(page, readPng(`${at}-window.png`), where);
      ++windowsCompared;
    }
  }
  console.log(`${name}: ${checkpoints.length} checkpoints`);
}
// The focus ring, as the desktop draws it: black dots, one in two from the
// corner, 4 pixels inside the face at the top and left and 5 at the bottom
// and right. Redo's words are white: its black is the ring alone.
if (browser.engine === 'chromium') {
  for (const name of ['Button3', 'Button1']) {
    await page.evaluate((name) => document.querySelector(`[data-name="${name}"]`).focus(), name);
    const face = await boxOf(page, `[data-name="${name}"]`);
    const shot = await page.shot(face);
    const [ring] = inkBoxes(shot, {x: 2, y: 2, w: face.width - 4, h: face.height - 4, ground: [192, 192, 192], ink: [0, 0, 0]});
    equal(ring.map((edge, i) => edge === [4, 4, face.width - 6, face.height - 6][i]), [true, true, true, true],
      `${name}'s focus ring: ${ring}`);
    if (name === 'Button1') {  // its top, up to the right side's own dots
      const dots = Array.from({length: face.width - 10}, (_, i) => shot.rgba[(4 * face.width + 4 + i) * 4] === 0);
      check(dots.every((black, i) => black === (i % 2 === 0)), "the ring's top is one dot in two");
    }
  }
}
await page.close();

check(windowsCompared >= scripts.length, 'every scenario ends with its window compared');
await server.close();
await browser.close();
finish(`scenarios in ${browser.engine} ${browser.version}`);
