// The windows' frames, and the dialogs: the about box and the help from the
// game's tables, and the question before the game closes. A dialog shows
// over everything with the focus on its default button, one at a time; the
// game's time goes on behind it.
import layout from './layout.js';
import { hideTip, presses, pressable } from './pointer.js';
import { centre, element, fontOf, makeControls, place, pushButton, stage } from './stage.js';

// The open dialog, if any.
export let modal = null;

const cover = element('div', 'modal-cover', stage);
cover.hidden = true;
cover.addEventListener('contextmenu', (event) => event.preventDefault());

// A window's frame and title bar around its client area, as the desktop's
// window manager draws them; its close box calls onClose.
export function frame(e, title, width, height, onClose) {
  e.style.width = `${width + 2 * layout.frame.border}px`;
  e.style.height = `${height + layout.frame.caption + layout.frame.border}px`;
  e.querySelector('.caption-text').textContent = title;
  e.setAttribute('aria-label', title);
  pressable(e.querySelector('.close-box'), {onClick: onClose, look: true});
  const area = e.querySelector('.client');
  place(area, 0, 0, width, height);
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

// Opens a dialog; resolves with how it was closed.
function openModal(dialog) {
  hideTip();
  const restore = document.activeElement;
  modal = dialog;
  presses.only = dialog.e;
  cover.hidden = false;
  dialog.e.hidden = false;
  centre(dialog.e);
  dialog.buttons[0].focus();
  return new Promise((resolve) => {
    dialog.close = (result) => {
      dialog.e.hidden = true;
      cover.hidden = true;
      modal = null;
      presses.only = null;
      if (restore && restore !== document.body && document.getElementById('window').contains(restore)) restore.focus();
      resolve(result);
    };
  });
}

// The about box and the help close by their "OK" and their close box.
function tableDialog(d) {
  const dialog = {};
  const {e, area} = dialogFrame(d.title, d.width, d.height, () => dialog.close('close'));
  const ok = [...makeControls(d.controls, area).values()].find((c) => c.tagName === 'BUTTON');
  pressable(ok, {onClick: () => dialog.close('ok'), look: true, focus: true});
  return Object.assign(dialog, {e, buttons: [ok]});
}

// The question before the game closes, the page's own: "OK" and "ｷｬﾝｾﾙ";
// Enter answers OK, Escape and the close box ｷｬﾝｾﾙ.
function quitBox() {
  const dialog = {cancel: true};
  const {e, area} = dialogFrame(layout.quit.title, 280, 100, () => dialog.close('cancel'));
  const icon = element('div', 'quit-icon', area);
  icon.textContent = '?';
  icon.setAttribute('aria-hidden', 'true');
  const question = element('div', 'control text', area);
  question.textContent = layout.quit.question;
  question.style.font = fontOf(layout.windowFont);
  place(question, 56, 20);
  const buttons = [[layout.quit.ok, 56, 'ok'], [layout.quit.cancel, 149, 'cancel']].map(([text, x, result]) => {
    const b = pushButton(text, area);
    b.style.font = fontOf(layout.windowFont);
    place(b, x, 62, 75, 23);
    pressable(b, {onClick: () => dialog.close(result), look: true, focus: true});
    return b;
  });
  return Object.assign(dialog, {e, buttons});
}

const about = tableDialog(layout.about);
const help = tableDialog(layout.help);
const quit = quitBox();

export const openAbout = () => openModal(about);
export const openHelp = () => openModal(help);
// Whether the player answered OK.
export const askToQuit = async () => !modal && (await openModal(quit)) === 'ok';
