// Vesmor in a web page. The game itself, its rules and everything it draws,
// is the C++ play layer compiled to WebAssembly (vesmor-core); the window's
// controls, menus, dialogs and words come from the same tables as the
// desktop's (layout.js, written at build time from them). This script only
// makes the page from those tables, turns the browser's events into rows of
// the action table, and shows the bitmaps and texts the game hands back.
import layout from './layout.js';
import VesmorCore from './vesmor-core.js';

const rowOf = new Map(layout.actions.map((name, row) => [name, row]));
const Primary = 0;
const Secondary = 2;
const LongPress = 500;  // ms a finger rests on Start or Redo for their menu
const TipDelay = 700;   // ms the pointer rests on a control before its hint shows

const stage = document.getElementById('stage');
const mainWindow = document.getElementById('window');
const client = document.getElementById('client');

function element(tag, className, parent) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (parent) parent.append(e);
  return e;
}

function picture(name) {
  const img = element('img');
  img.src = `pictures/${name}.png`;
  img.alt = '';
  img.draggable = false;
  return img;
}

function fontOf(font) {
  return `${font.italic ? 'italic ' : ''}${font.bold ? 'bold ' : ''}${font.size}px "${font.face}"`;
}

function place(e, x, y, width, height) {
  e.style.left = `${x}px`;
  e.style.top = `${y}px`;
  if (width) {
    e.style.width = `${width}px`;
    e.style.height = `${height}px`;
  }
}

// ---- Tool-tips: the hint shows when the pointer rests on a control.

const tip = element('div', 'tip', stage);
tip.hidden = true;
let tipTimer = 0;

function hideTip() {
  clearTimeout(tipTimer);
  tip.hidden = true;
}

function giveHint(e, hint) {
  e.addEventListener('pointerenter', (event) => {
    if (event.pointerType !== 'mouse') return;
    clearTimeout(tipTimer);
    tipTimer = setTimeout(() => {
      const at = stagePoint(lastPointer);
      tip.textContent = hint;
      tip.hidden = false;
      place(tip, Math.round(at.x), Math.round(at.y) + 20);
    }, TipDelay);
  });
  e.addEventListener('pointerleave', hideTip);
  e.addEventListener('pointerdown', hideTip);
}

let lastPointer = {clientX: 0, clientY: 0};
document.addEventListener('pointermove', (event) => { lastPointer = event; }, {passive: true});

// ---- Controls, made from a table's rows.

function makeControl(c, parent) {
  let e;
  switch (c.kind) {
    case 'surface':
      e = element('canvas', 'control');
      e.width = c.width;
      e.height = c.height;
      break;
    case 'pictureButton':
      e = element('div', 'control face glyph');
      e.setAttribute('role', 'button');
      e.append(picture(c.picture));
      break;
    case 'picture':
      e = element('div', 'control');
      e.append(picture(c.picture));
      break;
    case 'scaledPicture':
      e = picture(c.picture);
      e.className = 'control';
      break;
    case 'countField':
      e = element('div', 'control count');
      e.setAttribute('role', 'timer');
      e.textContent = c.text;
      break;
    case 'text':
      e = element('div', c.width ? 'control text sized' : 'control text');
      e.textContent = c.text;
      break;
    case 'panel':
      e = element('div', 'control panel');
      e.setAttribute('role', 'status');
      e.textContent = c.text;
      e.hidden = true;
      break;
    case 'pushButton':
      e = element('button', 'control face push');
      e.type = 'button';
      element('span', null, e).textContent = c.text;
      break;
    case 'sunken':
      e = element('div', 'control sunken');
      break;
    case 'memo':
      e = element('div', 'control memo');
      for (const line of layout.helpLines) element('div', null, e).textContent = line;
      break;
  }
  place(e, c.x, c.y, c.width, c.height);
  e.style.font = fontOf(c.font);
  if (c.ink) e.style.color = c.ink;
  if (c.ground) e.style.background = c.ground;
  const name = c.hint || c.spoken;
  if (name) e.setAttribute('aria-label', name);
  if (c.described) e.setAttribute('aria-description', c.described);
  if (c.hint) giveHint(e, c.hint);
  e.dataset.name = c.name;
  parent.append(e);
  return e;
}

function makeControls(table, parent) {
  const made = new Map();
  for (const c of table) made.set(c.name, makeControl(c, c.inside ? made.get(c.inside) : parent));
  return made;
}

// A window's frame and caption around its client area, as the desktop's
// window manager draws them.
function frame(e, title, width, height, onClose) {
  e.style.width = `${width + 8}px`;
  e.style.height = `${height + 18}px`;
  e.querySelector('.caption-text').textContent = title;
  e.setAttribute('aria-label', title);
  const close = e.querySelector('.close-box');
  pressable(close, {onClick: onClose, look: true});
  const area = e.querySelector('.client');
  area.style.width = `${width}px`;
  area.style.height = `${height}px`;
  return area;
}

function dialogFrame(title, width, height, onClose) {
  const e = element('div', 'frame dialog', stage);
  e.hidden = true;
  e.setAttribute('role', 'dialog');
  e.setAttribute('aria-modal', 'true');
  const caption = element('div', 'caption', e);
  element('span', 'caption-text', caption);
  const close = element('button', 'close-box', caption);
  close.tabIndex = -1;
  close.setAttribute('aria-label', '閉じる');
  element('div', 'client', e);
  return {e, area: frame(e, title, width, height, onClose)};
}

// ---- Pressing: a press and a release over the same control is a click;
// a control that looks pressed does so while the button is held over it.

function inside(e, event) {
  const r = e.getBoundingClientRect();
  return event.clientX >= r.left && event.clientX < r.right && event.clientY >= r.top && event.clientY < r.bottom;
}

function pressable(e, {onClick, onRelease, onPress, look = false, focus = false}) {
  let held = null;  // the pointer pressing, while it is held
  e.addEventListener('pointerdown', (event) => {
    if (held !== null || modal && !modal.e.contains(e)) return;
    onPress?.(event);
    if (event.button !== Primary && !onRelease) return;
    held = event.pointerId;
    e.setPointerCapture(event.pointerId);
    if (event.button === Primary) {
      if (focus) e.focus();
      if (look) e.classList.add('down');
    }
    e.dataset.button = event.button;
  });
  e.addEventListener('pointermove', (event) => {
    if (event.pointerId === held && look && e.dataset.button === String(Primary))
      e.classList.toggle('down', inside(e, event));
  });
  const end = (event, cancelled) => {
    if (event.pointerId !== held) return;
    held = null;
    e.classList.remove('down');
    const over = !cancelled && inside(e, event);
    onRelease?.(Number(e.dataset.button), over);
    if (over && e.dataset.button === String(Primary) && !e.dataset.longPressed) onClick?.();
    delete e.dataset.longPressed;
  };
  e.addEventListener('pointerup', (event) => end(event, false));
  e.addEventListener('pointercancel', (event) => end(event, true));
  // A click that comes from no pointer: a screen reader's.
  e.addEventListener('click', (event) => {
    if (event.detail === 0 && onClick && (!modal || modal.e.contains(e))) onClick();
  });
}

// ---- The game.

const core = await VesmorCore().catch((error) => {
  // A browser too old for the game's WebAssembly: the page says so.
  const ended = document.getElementById('ended');
  ended.replaceChildren(element('p'));
  ended.firstChild.textContent = `This browser cannot run Vesmor (${error.message}).`;
  ended.hidden = false;
  throw error;
});
const controls = makeControls(layout.controls, client);
const view = controls.get('View').getContext('2d');
const map = controls.get('Image2').getContext('2d');
const timeEdit = controls.get('TimeEdit');
const label2 = controls.get('Label2');
const label4 = controls.get('Label4');
const panel1 = controls.get('Panel1');
const panel2 = controls.get('Panel2');
const start = controls.get('Button3');
const redo = controls.get('Button1');

function imageAt(pointer, width, height) {
  return new ImageData(new Uint8ClampedArray(core.HEAPU8.buffer, pointer, width * height * 4), width, height);
}

let sceneImage = null;
let mapImage = null;
let closed = false;
const onShow = {time: null, maze: null, notice: null, panels: null, mapDrawings: null, beeps: 0};

// Puts what the game reports on the page; what has not changed stays.
function show(record) {
  const [time, maze, notice, panels, viewChanged, restart, beeps, mapDrawings] =
    new Int32Array(core.HEAPU8.buffer, record, 8);
  if (viewChanged && sceneImage) view.putImageData(sceneImage, 0, 0);
  if (mapDrawings !== onShow.mapDrawings) map.putImageData(mapImage, 0, 0);
  if (time !== onShow.time) timeEdit.textContent = time;
  if (maze !== onShow.maze) label2.textContent = maze;
  if (notice !== onShow.notice) label4.textContent = layout.notices[notice];
  if (panels !== onShow.panels) {
    panel1.hidden = !(panels & 1);
    panel2.hidden = !(panels & 2);
  }
  Object.assign(onShow, {time, maze, notice, panels, mapDrawings});
  if (restart >= 0) clock.setCountdown(restart);
  if (beeps > onShow.beeps) beep();
  onShow.beeps = beeps;
}

// Plays one row of the action table, by its name, and shows what changed.
function perform(name, argument = 0) {
  if (closed) return;
  show(core._vesmor_play(rowOf.get(name), argument));
}

// ---- The two timers on the clock: the tick every 50 ms from the start,
// the countdown as the game sets its period (0 stops it; the same period
// again keeps its phase, which the game decides before telling the page).
// When both fall due at once the tick goes first. A browser wakes a page in
// a background tab seldom; when it does, every firing missed since is
// played in order, so the game has gone on as the desktop's would, up to
// ten minutes of them (a game is over long before).

const Backlog = 600000;

const clock = {
  nextTick: 0,
  nextCountdown: null,
  period: 0,
  now: null,  // the time of the firing being played, if any
  timer: 0,
  start() {
    this.nextTick = performance.now() + layout.tickPeriod;
    this.schedule();
  },
  setCountdown(ms) {
    const now = this.now ?? performance.now();
    this.period = ms;
    this.nextCountdown = ms ? now + ms : null;
    if (this.now === null) this.schedule();
  },
  stop() {
    clearTimeout(this.timer);
    this.timer = 0;
    this.nextCountdown = null;
    this.nextTick = Infinity;
  },
  schedule() {
    clearTimeout(this.timer);
    const due = Math.min(this.nextTick, this.nextCountdown ?? Infinity);
    if (due !== Infinity) this.timer = setTimeout(() => this.fire(), Math.max(0, due - performance.now()));
  },
  fire() {
    const now = performance.now();
    this.nextTick = Math.max(this.nextTick, now - Backlog);
    if (this.nextCountdown !== null) this.nextCountdown = Math.max(this.nextCountdown, now - Backlog);
    for (;;) {
      const countdownFirst = this.nextCountdown !== null && this.nextCountdown < this.nextTick;
      const due = countdownFirst ? this.nextCountdown : this.nextTick;
      if (due > now || closed) break;
      this.now = due;
      if (countdownFirst) {
        this.nextCountdown += this.period;
        perform('countdown');
      } else {
        this.nextTick += layout.tickPeriod;
        perform('tick');
      }
      this.now = null;
    }
    this.schedule();
  },
};

// ---- The step's simple beep.

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

// ---- Dialogs: shown one at a time over everything, with the focus on
// their default button; the timers go on behind them.

let modal = null;
const cover = element('div', 'modal-cover', stage);
cover.hidden = true;
cover.addEventListener('contextmenu', (event) => event.preventDefault());

function openModal(dialog) {
  closeMenu();
  hideTip();
  const restore = document.activeElement;
  modal = dialog;
  cover.hidden = false;
  dialog.e.hidden = false;
  centre(dialog.e);
  dialog.first.focus();
  return new Promise((resolve) => {
    dialog.close = (result) => {
      dialog.e.hidden = true;
      cover.hidden = true;
      modal = null;
      if (restore && restore !== document.body && mainWindow.contains(restore)) restore.focus();
      resolve(result);
    };
  });
}

function makeDialog(d) {
  const dialog = {};
  const {e, area} = dialogFrame(d.title, d.width, d.height, () => dialog.close('close'));
  dialog.e = e;
  const made = makeControls(d.controls, area);
  const ok = [...made.values()].find((c) => c.tagName === 'BUTTON');
  pressable(ok, {onClick: () => dialog.close('ok'), look: true, focus: true});
  dialog.first = ok;
  dialog.buttons = [ok];
  dialog.defaultButton = ok;
  return dialog;
}

const aboutBox = makeDialog(layout.about);
const helpDialog = makeDialog(layout.help);

// The question before the game closes for good: "OK" and "ｷｬﾝｾﾙ", Enter
// answers OK, Escape and the close box ｷｬﾝｾﾙ.
const quitBox = (() => {
  const dialog = {cancel: true};
  const font = fontOf(layout.windowFont);
  const width = 280;
  const height = 100;
  const {e, area} = dialogFrame(layout.quit.title, width, height, () => dialog.close('cancel'));
  dialog.e = e;
  const icon = element('div', 'quit-icon', area);
  icon.textContent = '?';
  icon.setAttribute('aria-hidden', 'true');
  const question = element('div', 'control text', area);
  question.textContent = layout.quit.question;
  question.style.font = font;
  place(question, 56, 20);
  const button = (text, x, result) => {
    const b = element('button', 'control face push', area);
    b.type = 'button';
    element('span', null, b).textContent = text;
    b.style.font = font;
    place(b, x, 62, 75, 23);
    pressable(b, {onClick: () => dialog.close(result), look: true, focus: true});
    return b;
  };
  const ok = button(layout.quit.ok, 56, 'ok');
  button(layout.quit.cancel, 149, 'cancel');
  dialog.first = ok;
  dialog.defaultButton = ok;
  dialog.buttons = [...area.querySelectorAll('button')];
  return dialog;
})();

function centre(e) {
  const w = parseFloat(e.style.width);
  const h = parseFloat(e.style.height);
  place(e, Math.max(0, Math.round((stageSize.width - w) / 2)), Math.max(0, Math.round((stageSize.height - h) / 2)));
}

const openHelp = () => openModal(helpDialog);
const openAbout = () => openModal(aboutBox);

async function askToQuit() {
  if (closed || modal) return;
  if ((await openModal(quitBox)) !== 'ok') return;
  closed = true;
  clock.stop();
  core._vesmor_close();
  mainWindow.hidden = true;
  document.getElementById('ended').hidden = false;
  document.getElementById('again').focus();
}
document.getElementById('again').addEventListener('click', () => location.reload());

// ---- The right-click menus of Start and Redo (a long press on a touch
// screen opens them too). Choosing an item plays its row.

let menu = null;

function closeMenu() {
  menu?.remove();
  menu = null;
}

function openMenu(items, event) {
  closeMenu();
  hideTip();
  menu = element('div', 'menu', stage);
  menu.setAttribute('role', 'menu');
  for (const item of items) {
    const i = element('div', 'menu-item', menu);
    i.setAttribute('role', 'menuitem');
    i.textContent = item.text;
    i.dataset.name = item.name;
    i.addEventListener('pointerenter', () => {
      menu.querySelector('.active')?.classList.remove('active');
      i.classList.add('active');
    });
    i.addEventListener('pointerup', () => {
      closeMenu();
      perform(item.act, item.argument);
    });
  }
  const at = stagePoint(event);
  const x = Math.min(Math.round(at.x), stageSize.width - menu.offsetWidth);
  const y = Math.min(Math.round(at.y), stageSize.height - menu.offsetHeight);
  place(menu, Math.max(0, x), Math.max(0, y));
}

// Up and down move through the items, Enter chooses, Escape closes.
function menuKey(key) {
  const items = [...menu.children];
  const active = items.findIndex((i) => i.classList.contains('active'));
  if (key === 'ArrowDown' || key === 'ArrowUp') {
    items[active]?.classList.remove('active');
    const next = key === 'ArrowDown' ? active + 1 : (active < 0 ? items.length : active) - 1;
    items[(next + items.length) % items.length].classList.add('active');
  } else if (key === 'Enter' && active >= 0) {
    items[active].dispatchEvent(new PointerEvent('pointerup'));
  } else if (key === 'Escape') {
    closeMenu();
  }
}

// A press anywhere but on the menu closes it, and goes no further.
document.addEventListener('pointerdown', (event) => {
  if (menu && !menu.contains(event.target)) {
    closeMenu();
    event.stopPropagation();
    event.preventDefault();
  }
}, true);

function giveMenu(button, items) {
  button.addEventListener('contextmenu', (event) => {
    event.preventDefault();
    if (!modal && menu === null) openMenu(items, event);
  });
  let timer = 0;
  let from = null;
  button.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch') return;
    from = event;
    timer = setTimeout(() => {
      button.dataset.longPressed = 'yes';
      button.classList.remove('down');
      openMenu(items, from);
    }, LongPress);
  });
  button.addEventListener('pointermove', (event) => {
    if (from && Math.hypot(event.clientX - from.clientX, event.clientY - from.clientY) > 8) clearTimeout(timer);
  });
  for (const end of ['pointerup', 'pointercancel']) button.addEventListener(end, () => clearTimeout(timer));
}

// ---- The controls' events, each a row of the action table.

const buttonAct = {LeftBtn: 'left', RightBtn: 'right'};
for (const [name, act] of Object.entries(buttonAct)) pressable(controls.get(name), {onClick: () => perform(act), look: true});
// The forward button's release, whatever the mouse button, also comes
// when no click follows.
pressable(controls.get('MaeBtn'), {
  onClick: () => perform('forward'),
  onRelease: (button, over) => { if (over) perform('release'); },
  look: true,
});
pressable(start, {onClick: () => perform('start'), look: true, focus: true});
pressable(redo, {onClick: () => perform('redo'), look: true, focus: true});
giveMenu(start, layout.controls.find((c) => c.name === 'Button3').menu);
giveMenu(redo, layout.controls.find((c) => c.name === 'Button1').menu);
// "?": the right button opens the help; any other flashes the player's
// cell until it is let go, wherever that is.
pressable(controls.get('Label5'), {
  onPress: (event) => { if (event.button === Secondary) openHelp(); else perform('probe'); },
  onRelease: () => perform('unprobe'),
});
pressable(controls.get('Image1'), {onClick: openAbout});
pressable(controls.get('Label1'), {onClick: askToQuit});
frame(mainWindow, layout.mainTitle, layout.client.width, layout.client.height, askToQuit);
mainWindow.addEventListener('contextmenu', (event) => event.preventDefault());
// Only Start, Redo and the dialogs' buttons take the focus, and only from
// the left button: a press on anything else, a menu included, or a right
// click leaves it where it was.
stage.addEventListener('mousedown', (event) => {
  if (event.button !== Primary || !event.target.closest('button.push, .memo')) event.preventDefault();
});

// ---- Keys: Enter presses the focused push button, or Start when none
// has the focus; Space the focused one; Tab moves between them. In a
// dialog Enter answers its default button and Escape the quit box's
// ｷｬﾝｾﾙ. No other key does anything.

let spaceHeld = null;

function buttonsNow() {
  return modal ? modal.buttons : [start, redo];
}

document.addEventListener('keydown', (event) => {
  if (document.getElementById('key').contains(event.target) || closed) return;
  if (event.ctrlKey || event.altKey || event.metaKey) return;
  const buttons = buttonsNow();
  const focused = buttons.includes(document.activeElement) ? document.activeElement : null;
  if (menu) {
    event.preventDefault();
    menuKey(event.key);
    return;
  }
  switch (event.key) {
    case 'Enter':
      event.preventDefault();
      if (modal) activate(focused ?? modal.defaultButton);
      else activate(focused ?? start);
      break;
    case ' ':
      event.preventDefault();
      if (focused && !event.repeat) {
        spaceHeld = focused;
        focused.classList.add('down');
      }
      break;
    case 'Tab': {
      event.preventDefault();
      const i = buttons.indexOf(focused);
      buttons[i < 0 ? 0 : (i + (event.shiftKey ? buttons.length - 1 : 1)) % buttons.length].focus();
      break;
    }
    case 'Escape':
      event.preventDefault();
      if (modal?.cancel) modal.close('cancel');
      break;
    default:
      if (event.key.startsWith('Arrow') || ['PageUp', 'PageDown', 'Home', 'End'].includes(event.key))
        event.preventDefault();
  }
});

document.addEventListener('keyup', (event) => {
  if (event.key !== ' ' || spaceHeld === null) return;
  event.preventDefault();
  const button = spaceHeld;
  spaceHeld = null;
  button.classList.remove('down');
  if (document.activeElement === button) activate(button);
});

function activate(button) {
  button.dispatchEvent(new MouseEvent('click', {detail: 0}));
}

// ---- Size: the window grows by whole device pixels per window pixel, as
// large as the browser's window allows, and keeps the key's line below.

const stageSize = {width: 0, height: 0};
let scale = 1;
const KeyLine = 20;

function stagePoint(event) {
  return {x: event.clientX / scale, y: event.clientY / scale};
}

function fit() {
  const ratio = window.devicePixelRatio || 1;
  const w = layout.outer.width;
  const h = layout.outer.height;
  const pixels = Math.max(1, Math.floor(Math.min(innerWidth * ratio / w, (innerHeight - KeyLine) * ratio / h)));
  scale = pixels / ratio;
  stageSize.width = Math.floor(innerWidth / scale);
  stageSize.height = Math.floor(innerHeight / scale);
  stage.style.transform = `scale(${scale})`;
  stage.style.width = `${stageSize.width}px`;
  stage.style.height = `${stageSize.height}px`;
  place(mainWindow, Math.max(0, Math.round((stageSize.width - w) / 2)),
    Math.max(0, Math.round(((innerHeight - KeyLine) / scale - h) / 2)));
  if (modal) centre(modal.e);
  matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', fit, {once: true});
}
addEventListener('resize', fit);

// ---- Creation: the game seeded from the clock, its first frame on show,
// then the help greets the player.

document.title = layout.mainTitle;
const created = core._vesmor_create(Math.floor((performance.timeOrigin + performance.now()) * 1000));
sceneImage = imageAt(core._vesmor_scene(), controls.get('View').width, controls.get('View').height);
mapImage = imageAt(core._vesmor_map(), controls.get('Image2').width, controls.get('Image2').height);
show(created);
fit();
mainWindow.hidden = false;
requestAnimationFrame(() => performance.mark('vesmor-first-frame'));  // for the benchmark
clock.start();
start.focus();
openHelp();

if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js').catch(() => {
    // No offline copy (a page not served over a secure origin): it still plays.
  });

// Only the tests' build of the game has these: they play a scenario line
// by line, as the scenario driver does.
if (core._vesmor_place) {
  globalThis.vesmorTest = {
    perform,
    tick: () => perform('tick'),
    // A firing of the countdown's timer, which a stopped timer does not give.
    countdown: () => { if (clock.nextCountdown !== null) perform('countdown'); },
    place: (row, column, heading) => show(core._vesmor_place(row, column, heading)),
    slot: (slot) => show(core._vesmor_slot(slot)),
  };
}
