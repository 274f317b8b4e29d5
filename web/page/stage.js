// The stage the page's windows stand on, in window pixels (the page's life
// scales it by whole device pixels), and the parts of a window made from
// the game's tables: every control at the place its table gives it.
import layout from './layout.js';

export const stage = document.getElementById('stage');
// The stage's size in window pixels, and how many CSS pixels one is.
export const view = {width: 0, height: 0, scale: 1};

export function element(tag, className, parent) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  parent?.append(e);
  return e;
}

export function picture(name) {
  const img = element('img');
  img.src = `pictures/${name}.png`;
  img.alt = '';
  img.draggable = false;
  return img;
}

export const fontOf = (font) => `${font.italic ? 'italic ' : ''}${font.bold ? 'bold ' : ''}${font.size}px "${font.face}"`;

export function place(e, x, y, width, height) {
  Object.assign(e.style, {left: `${x}px`, top: `${y}px`});
  if (width) Object.assign(e.style, {width: `${width}px`, height: `${height}px`});
}

export const stagePoint = (event) => ({x: event.clientX / view.scale, y: event.clientY / view.scale});

// A window in the middle of the stage, as the desktop centres its windows.
export function centre(e) {
  const half = (room, size) => Math.max(0, Math.round((room - parseFloat(size)) / 2));
  place(e, half(view.width, e.style.width), half(view.height, e.style.height));
}

// A push button with its caption.
export function pushButton(text, parent) {
  const b = element('button', 'control face push', parent);
  b.type = 'button';
  element('span', null, b).textContent = text;
  return b;
}

// What a screen reader calls the two bitmaps, which have no hint or caption.
const Names = {View: '前方の眺め', Image2: '地図'};

function makeControl(c) {
  let e;
  switch (c.kind) {
    case 'surface':
      e = element('canvas', 'control');
      Object.assign(e, {width: c.width, height: c.height});
      break;
    case 'pictureButton': e = element('div', 'control face glyph'); e.append(picture(c.picture)); break;
    case 'picture': e = element('div', 'control'); e.append(picture(c.picture)); break;
    case 'scaledPicture': e = element('div', 'control scaled'); e.append(picture(c.picture)); break;
    case 'countField': e = element('div', 'control count'); e.setAttribute('role', 'timer'); break;
    case 'text': e = element('div', c.width ? 'control text sized' : 'control text'); break;
    case 'panel': e = element('div', 'control panel'); e.hidden = true; break;
    case 'pushButton': e = pushButton(c.text); break;
    case 'sunken': e = element('div', 'control sunken'); break;
    case 'memo':
      e = element('div', 'control memo');
      for (const line of layout.helpLines) element('div', null, e).textContent = line;
      break;
  }
  if (c.text && c.kind !== 'pushButton') e.textContent = c.text;
  place(e, c.x, c.y, c.width, c.height);
  e.style.font = fontOf(c.font);
  if (c.ink) e.style.color = c.ink;
  if (c.ground) e.style.background = c.ground;
  speak(e, c);
  e.dataset.name = c.name;
  return e;
}

// What a screen reader makes of a control: whatever the mouse acts on is a
// button, named by its caption if it is a push button, else by its hint or
// spoken name (a hint that does not name it describes it); a bitmap or a
// named picture is an image; what the game writes as it runs (a notice, a
// panel) is announced as a status.
function speak(e, c) {
  const {click, press} = c.does ?? {};
  const name = c.kind === 'pushButton' ? '' : c.hint || c.spoken || Names[c.name];
  if ((click || press) && e.tagName !== 'BUTTON') e.setAttribute('role', 'button');
  else if (name && !c.text) e.setAttribute('role', 'img');
  else if (c.kind === 'panel' || (c.kind === 'text' && !c.text)) e.setAttribute('role', 'status');
  if (name) e.setAttribute('aria-label', name);
  const description = c.described || (name ? '' : c.hint);
  if (description) e.setAttribute('aria-description', description);
}

// The controls of a table, in painting order, by their names.
export function makeControls(table, parent) {
  const made = new Map();
  for (const c of table) {
    made.set(c.name, makeControl(c));
    (c.inside ? made.get(c.inside) : parent).append(made.get(c.name));
  }
  return made;
}
