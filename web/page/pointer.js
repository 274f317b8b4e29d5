// The mouse, the pen and the finger: presses, releases and clicks on the
// page's controls, a finger held long, and the hints that show when the
// mouse rests on a control.
import { element, place, stage, stagePoint } from './stage.js';

export const Primary = 0;
export const Secondary = 2;
const LongPress = 500;  // ms a finger rests on a control for its long press
const TipDelay = 700;   // ms the mouse rests on a control before its hint shows

// While a dialog is open only its own controls take a press.
export const presses = {only: null};
const takesPress = (e) => !presses.only || presses.only.contains(e);

let lastPointer = {clientX: 0, clientY: 0};
document.addEventListener('pointermove', (event) => { lastPointer = event; }, {passive: true});

const tip = element('div', 'tip', stage);
tip.hidden = true;
let tipTimer = 0;

export function hideTip() {
  clearTimeout(tipTimer);
  tip.hidden = true;
}

export function giveHint(e, hint) {
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

const over = (e, event) => {
  const r = e.getBoundingClientRect();
  return event.clientX >= r.left && event.clientX < r.right && event.clientY >= r.top && event.clientY < r.bottom;
};

// A press and a release of the primary button over the same control is a
// click; a control that looks pressed does so while that button is held
// over it. onPress hears every button, onRelease the release of any
// pressed one (with whether it came over the control).
export function pressable(e, {onClick, onRelease, onPress, look = false, focus = false}) {
  let held = null;  // the pointer pressing, while it is held
  let button = null;
  e.addEventListener('pointerdown', (event) => {
    if (held !== null || !takesPress(e)) return;
    onPress?.(event);
    if (event.button !== Primary && !onRelease) return;
    held = event.pointerId;
    button = event.button;
    e.setPointerCapture(held);
    if (button === Primary && focus) e.focus();
    if (button === Primary && look) e.classList.add('down');
  });
  e.addEventListener('pointermove', (event) => {
    if (event.pointerId === held && look && button === Primary) e.classList.toggle('down', over(e, event));
  });
  const end = (event, cancelled) => {
    if (event.pointerId !== held) return;
    held = null;
    e.classList.remove('down');
    const inside = !cancelled && over(e, event);
    onRelease?.(button, inside);
    if (inside && button === Primary && !e.dataset.longPressed) onClick?.();
    delete e.dataset.longPressed;
  };
  e.addEventListener('pointerup', (event) => end(event, false));
  e.addEventListener('pointercancel', (event) => end(event, true));
  // A click that comes from no pointer: a key's, or a screen reader's.
  e.addEventListener('click', (event) => {
    if (event.detail === 0 && takesPress(e)) onClick?.();
  });
}

// A finger held still on a control: onLong with where it first touched;
// the click that its lifting would make does not come.
export function longPress(e, onLong) {
  let timer = 0;
  let from = null;
  e.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch') return;
    from = event;
    timer = setTimeout(() => {
      e.dataset.longPressed = 'yes';
      e.classList.remove('down');
      onLong(from);
    }, LongPress);
  });
  e.addEventListener('pointermove', (event) => {
    if (from && Math.hypot(event.clientX - from.clientX, event.clientY - from.clientY) > 8) clearTimeout(timer);
  });
  for (const end of ['pointerup', 'pointercancel']) e.addEventListener(end, () => clearTimeout(timer));
}
