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

function makeControl(c) {
  let e;
  switch (c.kind) {
    case 'surface':
      e = element('canvas', 'control');
      Object.assign(e, {width: c.width, height: c.height});
      break;
    case 'pictureButton':
      e = element('div', 'control face glyph');
      e.setAttribute('role', 'button');
      e.append(picture(c.picture));
      break;
    case 'picture': e = element('div', 'control'); e.append(picture(c.picture)); break;
    case 'scaledPicture': e = picture(c.picture); e.className = 'control'; break;
    case 'countField': e = element('div', 'control count'); e.setAttribute('role', 'timer'); break;
    case 'text': e = element('div', c.width ? 'control text sized' : 'control text'); break;
    case 'panel': e = element('div', 'control panel'); e.setAttribute('role', 'status'); e.hidden = true; break;
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
  if (c.hint || c.spoken) e.setAttribute('aria-label', c.hint || c.spoken);
  if (c.described) e.setAttribute('aria-description', c.described);
  e.dataset.name = c.name;
  return e;
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
