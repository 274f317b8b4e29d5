// Vesmor in a web page: the page's life. The game itself, its rules, its
// clock and everything it draws, is the C++ play layer compiled to
// WebAssembly (vesmor-core; web/binding.cpp lists its exports); the
// windows' controls, menus, dialogs and words come from the same tables as
// the desktop's (layout.js, written from them at build time). This module
// loads the game, hands it the browser's time, plays the rows the controls
// ask for, shows what the game hands back, sizes the window to the
// browser's, and says so in one line when anything fails.
//
// The tests' build of the game (site-test) adds a hook, globalThis.vesmorTest,
// to play a scenario line by line as the scenario driver does:
//   perform(row name, argument)   a row of the action table, as a control plays it
//   tick(), countdown()           one firing of a timer, outside the clock
//   runFor(ms)                    lets time pass (with the clock held)
//   place(row, column, heading), slot(n)   the driver's set-ups
//   trap()                        makes the game's WebAssembly trap, soon
//   core                          the game's module, to call its exports directly
// With "?clock=held" in its address the game's clock starts held at
// creation: time passes only by runFor.
import { wireControls, takeKeys } from './controls.js';
import { askToQuit, frame, modal, openAbout, openHelp } from './dialogs.js';
import layout from './layout.js';
import { centre, makeControls, place, stage, view } from './stage.js';
import VesmorCore from './vesmor-core.js';

// ---- Anything that fails (a trap in the game, an error in these modules,
// a browser that cannot load the game) stops the page with one line.

let stopped = false;
let wake = 0;

function stop(error) {
  if (stopped) return;
  stopped = true;
  clearTimeout(wake);
  stage.hidden = true;
  document.getElementById('ended').hidden = true;
  const box = document.getElementById('stopped');
  box.querySelector('.why').textContent = error?.message ?? String(error);
  box.hidden = false;
  box.querySelector('button').focus();
}
addEventListener('error', (event) => stop(event.error ?? event.message));
addEventListener('unhandledrejection', (event) => stop(event.reason));
for (const again of document.querySelectorAll('.again')) again.addEventListener('click', () => location.reload());

const core = await VesmorCore().catch((error) => { stop(error); throw error; });

// ---- The game: each export refuses a bad call with its reason.

const rowOf = new Map(layout.actions.map((name, row) => [name, row]));

function call(name, ...args) {
  const result = core[`_vesmor_${name}`](...args);
  if (result) return result;
  const text = core.HEAPU8.subarray(core._vesmor_refusal());
  throw new Error(`vesmor_${name}: ${new TextDecoder().decode(text.subarray(0, text.indexOf(0)))}`);
}

const mainWindow = document.getElementById('window');
const controls = makeControls(layout.controls, document.getElementById('client'));
const canvas = (name) => controls.get(name).getContext('2d');
const [scene, map] = [canvas('View'), canvas('Image2')];
const onShow = {};
let sceneImage = null;
let mapImage = null;
let closed = false;

// The game's time: milliseconds since its creation, from the browser's
// clock or, held, from the tests' runFor.
const params = new URLSearchParams(location.search);
let held = core._vesmor_place && params.get('clock') === 'held' ? 0 : null;
let created = 0;
const now = () => held ?? Math.floor(performance.now() - created);

// Puts what the game reports on the page; what has not changed stays.
function show(record) {
  const [time, maze, notice, panels, viewChanged, beeps, mapDrawings, next] =
    new Float64Array(core.HEAPU8.buffer, record, 8);
  if (viewChanged) scene.putImageData(sceneImage, 0, 0);
  if (mapDrawings !== onShow.mapDrawings) map.putImageData(mapImage, 0, 0);
  const text = {TimeEdit: time, Label2: maze, Label4: layout.notices[notice]};
  for (const [name, value] of Object.entries(text)) if (onShow[name] !== value) controls.get(name).textContent = value;
  controls.get('Panel1').hidden = !(panels & 1);
  controls.get('Panel2').hidden = !(panels & 2);
  if (beeps > (onShow.beeps ?? beeps)) beep();
  Object.assign(onShow, text, {mapDrawings, beeps});
  // The game says when its clock next has something to fire.
  clearTimeout(wake);
  if (held === null && !closed) wake = setTimeout(() => show(call('run', now())), Math.max(0, next - now()));
}

// The rows of Help, About and Quit open the page's own windows.
const windows = {help: openHelp, about: openAbout, quit: endOnOk};

function perform(name, argument = 0) {
  if (closed || stopped) return;
  if (windows[name]) windows[name]();
  else show(call('play', rowOf.get(name) ?? -1, argument, now()));
}

async function endOnOk() {
  if (closed || !(await askToQuit())) return;
  closed = true;
  clearTimeout(wake);
  call('close');
  stage.hidden = true;
  document.getElementById('ended').hidden = false;
  document.querySelector('#ended .again').focus();
}

// ---- The step's simple beep: a short tone (no sound, no matter).

let audio = null;

function beep() {
  try {
    audio ??= new AudioContext();
    const at = audio.currentTime;
    const tone = audio.createOscillator();
    const loudness = audio.createGain();
    tone.type = 'square';
    tone.frequency.value = 800;
    loudness.gain.setValueAtTime(0.08, at);
    loudness.gain.setValueAtTime(0, at + 0.08);
    tone.connect(loudness).connect(audio.destination);
    tone.start(at);
    tone.stop(at + 0.1);
  } catch {
    // No sound on this browser: the game goes on without it.
  }
}

// ---- Size: the window grows by whole device pixels per window pixel, as
// large as the browser's window allows, and keeps the key's line below.

const KeyLine = 20;

function fit() {
  const ratio = window.devicePixelRatio || 1;
  const {width: w, height: h} = layout.outer;
  const pixels = Math.max(1, Math.floor(Math.min(innerWidth * ratio / w, (innerHeight - KeyLine) * ratio / h)));
  view.scale = pixels / ratio;
  view.width = Math.floor(innerWidth / view.scale);
  view.height = Math.floor(innerHeight / view.scale);
  Object.assign(stage.style, {transform: `scale(${view.scale})`, width: `${view.width}px`, height: `${view.height}px`});
  place(mainWindow, Math.max(0, Math.round((view.width - w) / 2)),
    Math.max(0, Math.round(((innerHeight - KeyLine) / view.scale - h) / 2)));
  if (modal) centre(modal.e);
  matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', fit, {once: true});
}
addEventListener('resize', fit);

// ---- Creation: the window made and wired, the game seeded from the
// clock, its first frame on show, then the help greets the player.

frame(mainWindow, layout.mainTitle, layout.client.width, layout.client.height, () => perform(layout.frame.closeBox));
mainWindow.addEventListener('contextmenu', (event) => event.preventDefault());
wireControls(layout.controls, controls, perform);
takeKeys(controls.get('Button3'), controls.get('Button1'));
document.title = layout.mainTitle;

const record = call('create', Math.floor((performance.timeOrigin + performance.now()) * 1000));
created = performance.now();
const imageAt = (pointer, name) =>
  new ImageData(new Uint8ClampedArray(core.HEAPU8.buffer, pointer, controls.get(name).width * controls.get(name).height * 4),
    controls.get(name).width, controls.get(name).height);
sceneImage = imageAt(call('scene'), 'View');
mapImage = imageAt(call('map'), 'Image2');
show(record);
fit();
mainWindow.hidden = false;
requestAnimationFrame(() => performance.mark('vesmor-first-frame'));  // for the benchmark
controls.get('Button3').focus();
openHelp();

if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js').catch(() => {
    // No offline copy (a page not served over a secure origin): it still plays.
  });

if (core._vesmor_place) {
  globalThis.vesmorTest = {
    perform,
    tick: () => perform('tick'),
    countdown: () => perform('countdown'),
    runFor: (ms) => {
      held += ms;
      if (!closed) show(call('run', held));
    },
    place: (row, column, heading) => show(call('place', row, column, heading)),
    slot: (slot) => show(call('slot', slot)),
    trap: () => setTimeout(() => core._vesmor_trap()),
    core,
  };
}
