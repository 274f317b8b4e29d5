// The main window's controls as the player uses them: each mouse event on a
// control plays what its row of the game's table says (its "does"), a right
// click on Start or Redo opens its menu (a long press on a touch screen
// too), a finger's second tap on "?" is its right click, and the keys:
// Enter presses the focused push button, or Start when none has the focus;
// Space the focused one; Tab moves from Start to Redo, then on to the
// English key under the window and its links, and round again. In a dialog
// Enter answers its default button and Escape the close question's ｷｬﾝｾﾙ.
// No other key does anything.
import { modal } from './dialogs.js';
import { Primary, Secondary, giveHint, hideTip, longPress, noClickAfterTouch, pressable, secondTap } from './pointer.js';
import { element, place, stage, stagePoint, view } from './stage.js';

let menu = null;

function closeMenu() {
  menu?.remove();
  menu = null;
}

// A menu where the pointer is; choosing an item plays its row. Opened by a
// finger, its items are a finger's size.
function openMenu(items, event, perform) {
  closeMenu();
  hideTip();
  menu = element('div', 'menu', stage);
  menu.setAttribute('role', 'menu');
  menu.classList.toggle('finger', event.pointerType === 'touch');
  for (const item of items) {
    const i = element('div', 'menu-item', menu);
    i.setAttribute('role', 'menuitem');
    i.textContent = item.text;
    i.dataset.name = item.name;
    noClickAfterTouch(i);
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
  place(menu, Math.max(0, Math.min(Math.round(at.x), view.width - menu.offsetWidth)),
    Math.max(0, Math.min(Math.round(at.y), view.height - menu.offsetHeight)));
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

// Wires the main window's controls (made from the table's rows, by name)
// to perform(row name, argument). A picture button's release plays only
// over it; a caption holds the mouse, so its release plays wherever.
export function wireControls(table, controls, perform) {
  for (const c of table) {
    const e = controls.get(c.name);
    const {click, press, release, rightPress} = c.does;
    if (c.hint) giveHint(e, c.hint);
    if (!click && !press && !release && !rightPress && !c.menu) continue;
    const push = c.kind === 'pushButton';
    pressable(e, {
      onClick: click && (() => perform(click)),
      onPress: (press || rightPress) && ((event) => {
        const act = event.button === Secondary || secondTap(event) ? rightPress : press;
        if (act) perform(act);
      }),
      onRelease: release && ((button, inside) => { if (inside || c.kind !== 'pictureButton') perform(release); }),
      look: push || c.kind === 'pictureButton',
      focus: push,
    });
    if (!c.menu) continue;
    e.addEventListener('contextmenu', (event) => {
      event.preventDefault();
      if (!modal && menu === null) openMenu(c.menu, event, perform);
    });
    longPress(e, (from) => openMenu(c.menu, from, perform));
  }
}

// ---- Keys.

let spaceHeld = null;
const activate = (button) => button.dispatchEvent(new MouseEvent('click', {detail: 0}));

const key = document.getElementById('key');
// The English key's stops: its line, and its links while it is open.
const keyStops = () => [...key.querySelectorAll(':scope > summary, :scope[open] a[href]')];

// Start and Redo (by Tab, in that order) are the main window's only stops;
// a dialog's are its buttons.
export function takeKeys(start, redo) {
  document.addEventListener('keydown', (event) => {
    if (stage.hidden || event.ctrlKey || event.altKey || event.metaKey) return;
    const buttons = modal ? modal.buttons : [start, redo];
    const focused = buttons.includes(document.activeElement) ? document.activeElement : null;
    if (menu) {
      event.preventDefault();
      menuKey(event.key);
      return;
    }
    // By its place too: WebKitGTK may name a synthesised Shift+Tab's key
    // 'Unidentified' (GTK's left tab).
    if (event.key === 'Tab' || event.code === 'Tab') {
      event.preventDefault();
      const stops = [...buttons, ...keyStops()];
      const i = stops.indexOf(document.activeElement);
      stops[i < 0 ? 0 : (i + (event.shiftKey ? stops.length - 1 : 1)) % stops.length].focus();
      return;
    }
    if (key.contains(event.target)) return;
    switch (event.key) {
      case 'Enter':
        event.preventDefault();
        activate(focused ?? buttons[0]);
        break;
      case ' ':
        event.preventDefault();
        if (focused && !event.repeat) {
          spaceHeld = focused;
          focused.classList.add('down');
        }
        break;
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
  // Only the push buttons and the help's text take the focus, and only
  // from the primary button: a press elsewhere, a menu included, or a right
  // click leaves it where it was.
  stage.addEventListener('mousedown', (event) => {
    if (event.button !== Primary || !event.target.closest('button.push, .memo')) event.preventDefault();
  });
}
