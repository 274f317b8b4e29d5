// The three browser engines the page is tested in, behind one small
// interface, each the one Debian ships:
//   chromium  Blink, driven by playwright-core;
//   firefox   Gecko (Firefox ESR), driven by puppeteer-core over WebDriver BiDi;
//   webkit    WebKitGTK's MiniBrowser, driven through WebKitWebDriver with
//             plain W3C WebDriver over HTTP, under an Xvfb of its own.
// Every page is opened in a fresh profile: nothing cached, no service worker.
//
// A page: goto, reload, evaluate(fn, arg), waitFor(fn, arg), the mouse with
// any button at page coordinates, keys by their names ('Enter', 'Shift+Tab',
// ' ', 'KeyW'), a finger (touch: start, end, tap) on a page opened with
// `touch` and a device pixel ratio other than 1, unless the browser's
// `lacks.touch` or `lacks.scale` says why it has none (WebKitWebDriver's),
// shot(clip) (the decoded screenshot), offline(on), and where the browser
// lacks none of these: a touch screen the page takes for one (a coarse
// pointer, `touchscreen`), accessibility() (what a screen reader is told:
// every node of the page's accessibility tree that is not left out, as its
// role and name) and installable(url) (why the browser would not install
// the site at url as an app: nothing, when it would),
// close, and on(kind, listener) for what the page says and asks for:
//   'console'  (type, text): its console's errors and warnings;
//   'error'    (text): an uncaught error or rejection, a refused policy;
//   'request'  (url): every request it makes.
// Chromium and Firefox report all three as they happen. WebKitWebDriver
// gives no console, so in WebKit the page itself is asked after each load,
// before each navigation and at the close: its uncaught errors and
// rejections and policy violations from then on, and every resource it has
// loaded (the page's resource timing, from the start) stand for the
// console and the requests.
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import { mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { readPng } from './png.mjs';

export const engines = ['chromium', 'firefox', 'webkit'];

// The npm packages from the folder the test run installed them in.
const require = createRequire(resolve(process.env.VESMOR_WEB_NODE ?? import.meta.dirname, 'tests.js'));

// A folder of the run's own for profiles and homes, gone at the exit.
function scratch(engine) {
  // Absolute: Firefox given a relative home starts but never says where it listens.
  const parent = resolve(process.env.VESMOR_WEB_SCRATCH ?? tmpdir());
  mkdirSync(parent, {recursive: true});
  const folder = mkdtempSync(join(parent, `${engine}-`));
  process.on('exit', () => rmSync(folder, {recursive: true, force: true}));
  return folder;
}

const Buttons = {left: 0, middle: 1, right: 2};

// 'Shift+Tab' as the keys held and the key pressed.
function chord(keys) {
  const parts = keys === '+' ? ['+'] : keys.split('+');
  return {held: parts.slice(0, -1), key: parts.at(-1)};
}

// What every engine's page shares: listeners, the mouse's clicks and
// chords of keys made from the engine's own down and up.
class Page {
  constructor(engine) {
    this.engine = engine;
    this.listeners = {console: [], error: [], request: []};
    this.mouse = {
      move: (x, y, options) => this.mouseMove(x, y, options),
      down: (options) => this.mouseButton('down', options?.button ?? 'left'),
      up: (options) => this.mouseButton('up', options?.button ?? 'left'),
      click: async (x, y, options) => {
        await this.mouseMove(x, y);
        await this.mouseButton('down', options?.button ?? 'left');
        await this.mouseButton('up', options?.button ?? 'left');
      },
    };
    this.keyboard = {
      down: (key) => this.key('down', key),
      up: (key) => this.key('up', key),
      press: async (keys) => {
        const {held, key} = chord(keys);
        for (const k of held) await this.key('down', k);
        await this.key('down', key);
        await this.key('up', key);
        for (const k of held.reverse()) await this.key('up', k);
      },
    };
  }

  on(kind, listener) {
    this.listeners[kind].push(listener);
  }

  emit(kind, ...details) {
    for (const listener of this.listeners[kind]) listener(...details);
  }

  // Asks fn(arg) of the page until it gives something true (and plain:
  // a number, a string, an array or object of them), and returns it.
  async waitFor(fn, arg, timeout = 30000) {
    const until = Date.now() + timeout;
    for (;;) {
      // A page on its way to the next shows no result, and no error.
      const result = await this.evaluate(fn, arg).catch((error) => {
        if (Date.now() > until) throw error;
      });
      if (result) return result;
      if (Date.now() > until) throw new Error(`${this.engine}: waited ${timeout} ms for ${fn}`);
      await new Promise((r) => setTimeout(r, 20));
    }
  }
}

// ---- Chromium, through playwright-core.

class ChromiumPage extends Page {
  static async launch() {
    const { chromium } = require('playwright-core');
    const browser = await chromium.launch({
      executablePath: process.env.VESMOR_CHROMIUM ?? '/usr/bin/chromium',
      args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
        '--disable-sync', '--no-first-run', '--disable-quic'],
    });
    return {
      version: browser.version(),
      lacks: {},
      newPage: (options) => ChromiumPage.open(browser, options),
      installable: (url) => ChromiumPage.installable(chromium, url),
      close: () => browser.close(),
    };
  }

  // In a profile of its own: Chromium installs no app from a private one.
  static async installable(chromium, url) {
    const context = await chromium.launchPersistentContext(scratch('install'), {
      executablePath: process.env.VESMOR_CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'],
    });
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForFunction(() => document.querySelector('.dialog:not([hidden])'));
    const {installabilityErrors} = await (await context.newCDPSession(page)).send('Page.getInstallabilityErrors');
    await context.close();
    return installabilityErrors.map((e) => e.errorId);
  }

  async accessibility() {
    const {nodes} = await (await this.context.newCDPSession(this.playwright)).send('Accessibility.getFullAXTree');
    return nodes.filter((n) => !n.ignored).map((n) => ({role: n.role?.value, name: n.name?.value ?? ''}));
  }

  static async open(browser, {width = 800, height = 600, deviceScaleFactor = 1, touch = false} = {}) {
    const context = await browser.newContext({viewport: {width, height}, deviceScaleFactor, hasTouch: touch});
    const page = new ChromiumPage('chromium');
    page.context = context;
    page.playwright = await context.newPage();
    page.playwright.on('request', (request) => page.emit('request', request.url()));
    page.playwright.on('console', (message) => page.emit('console', message.type(), message.text()));
    page.playwright.on('pageerror', (error) => page.emit('error', error.message));
    if (touch) page.touch = page.cdpTouch();
    return page;
  }

  goto(url) { return this.playwright.goto(url); }
  reload() { return this.playwright.reload(); }
  evaluate(fn, arg) { return this.playwright.evaluate(fn, arg); }
  mouseMove(x, y, options) { return this.playwright.mouse.move(x, y, options); }
  mouseButton(way, button) { return this.playwright.mouse[way]({button}); }
  key(way, key) { return this.playwright.keyboard[way](key); }
  offline(on) { return this.context.setOffline(on); }
  close() { return this.context.close(); }

  async shot(clip) {
    return readPng(await this.playwright.screenshot({clip}));
  }

  // A finger through the DevTools protocol: it can rest as long as asked.
  cdpTouch() {
    const session = this.context.newCDPSession(this.playwright);
    const send = async (type, points) => (await session).send('Input.dispatchTouchEvent', {type, touchPoints: points});
    return {
      start: (x, y) => send('touchStart', [{x, y}]),
      end: () => send('touchEnd', []),
      tap: (x, y) => this.playwright.touchscreen.tap(x, y),
    };
  }
}

// ---- Firefox ESR, through puppeteer-core over WebDriver BiDi, with a
// home of its own so that no profile lands in the user's.

class FirefoxPage extends Page {
  static async launch() {
    const puppeteer = require('puppeteer-core');
    const home = scratch('firefox');
    const browser = await puppeteer.launch({
      browser: 'firefox',
      executablePath: process.env.VESMOR_FIREFOX ?? '/usr/bin/firefox-esr',
      headless: true,
      env: {...process.env, HOME: home, TMPDIR: home},
      extraPrefsFirefox: {'network.captive-portal-service.enabled': false, 'browser.safebrowsing.update.enabled': false},
    });
    return {
      version: (await browser.version()).replace(/^firefox\//, ''),
      lacks: {
        touchscreen: 'under WebDriver BiDi Firefox touches, but its pointer stays a fine one',
        accessibility: 'WebDriver BiDi has no accessibility tree',
        install: 'Firefox installs no web apps',
      },
      newPage: (options) => FirefoxPage.open(browser, options),
      close: () => browser.close(),
    };
  }

  static async open(browser, {width = 800, height = 600, deviceScaleFactor = 1, touch = false} = {}) {
    const context = await browser.createBrowserContext();
    const page = new FirefoxPage('firefox');
    page.context = context;
    page.puppeteer = await context.newPage();
    await page.puppeteer.setViewport({width, height, deviceScaleFactor, hasTouch: touch});
    page.puppeteer.on('request', (request) => page.emit('request', request.url()));
    page.puppeteer.on('console', (message) => {
      const type = {warn: 'warning'}[message.type()] ?? message.type();
      page.emit('console', type, message.text());
    });
    page.puppeteer.on('pageerror', (error) => page.emit('error', error.message));
    if (touch) {
      const finger = page.puppeteer.touchscreen;
      page.touch = {start: (x, y) => finger.touchStart(x, y), end: () => finger.touchEnd(), tap: (x, y) => finger.tap(x, y)};
    }
    return page;
  }

  goto(url) { return this.puppeteer.goto(url); }
  reload() { return this.puppeteer.reload(); }
  evaluate(fn, arg) { return this.puppeteer.evaluate(fn, arg); }
  mouseMove(x, y, options) { return this.puppeteer.mouse.move(x, y, options); }
  mouseButton(way, button) { return this.puppeteer.mouse[way]({button}); }
  key(way, key) { return this.puppeteer.keyboard[way](key); }
  offline(on) { return this.puppeteer.setOfflineMode(on); }
  close() { return this.context.close(); }

  async shot(clip) {
    return readPng(Buffer.from(await this.puppeteer.screenshot({clip})));
  }
}

// ---- WebKitGTK: MiniBrowser through WebKitWebDriver, one session (one
// MiniBrowser, a fresh profile) for every page, under one Xvfb.

const WebKitKeys = {
  Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Shift: '\uE008', Control: '\uE009', Alt: '\uE00A',
  Backspace: '\uE003', PageUp: '\uE00E', PageDown: '\uE00F', End: '\uE010', Home: '\uE011',
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
};

function freePort() {
  return new Promise((done, fail) => {
    const server = createServer();
    server.on('error', fail);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => done(port));
    });
  });
}

// Starts a program and ends it at the exit, whatever happens.
function daemon(program, args, options) {
  const child = spawn(program, args, {stdio: ['ignore', 'ignore', 'pipe'], ...options});
  let said = '';
  child.stderr?.on('data', (data) => { said = (said + data).slice(-2000); });
  const end = () => child.exitCode === null && child.kill();
  process.on('exit', end);
  return {child, said: () => said, end};
}

class WebKitPage extends Page {
  static async launch() {
    const xvfb = daemon('Xvfb', ['-displayfd', '3', '-screen', '0', '1600x1200x24', '-nolisten', 'tcp'],
      {stdio: ['ignore', 'ignore', 'pipe', 'pipe']});
    const display = await new Promise((done, fail) => {
      xvfb.child.stdio[3].once('data', (data) => done(`:${String(data).trim()}`));
      xvfb.child.once('exit', () => fail(new Error(`Xvfb did not start: ${xvfb.said()}`)));
    });
    const port = await freePort();
    const driver = daemon('WebKitWebDriver', [`--port=${port}`], {env: {...process.env, DISPLAY: display}});
    const url = `http://127.0.0.1:${port}`;
    for (let tries = 0; ; ++tries) {
      try {
        if ((await fetch(`${url}/status`)).ok) break;
      } catch (error) {
        if (tries > 100) throw new Error(`WebKitWebDriver did not answer: ${driver.said()}`);
      }
      await new Promise((r) => setTimeout(r, 50));
    }
    const first = await WebKitPage.open(url);
    const version = first.version;
    await first.close();
    return {
      version,
      lacks: {
        touch: 'WebKitWebDriver has no touch screen (it turns a finger into the mouse)',
        touchscreen: 'WebKitWebDriver has no touch screen',
        scale: 'WebKitWebDriver shows one device pixel a pixel',
        accessibility: 'WebKitWebDriver has no accessibility tree',
        install: 'MiniBrowser installs no web apps',
      },
      newPage: (options) => WebKitPage.open(url, options),
      close: async () => { driver.end(); xvfb.end(); },
    };
  }

  static async open(driver, {width = 800, height = 600, deviceScaleFactor = 1, touch = false} = {}) {
    if (deviceScaleFactor !== 1 || touch) throw new Error('webkit: one device pixel a pixel and no touch screen');
    const page = new WebKitPage('webkit');
    page.driver = driver;
    const session = await page.call('POST', '/session', {capabilities: {alwaysMatch: {
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': {
        binary: process.env.VESMOR_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
        args: ['--automation'],
      },
    }}});
    page.session = `/session/${session.sessionId}`;
    page.version = session.capabilities.browserVersion;
    // The window's size less its browser's own bars is the viewport asked for.
    await page.call('POST', `${page.session}/window/rect`, {width, height});
    const inner = await page.evaluate(() => [innerWidth, innerHeight]);
    await page.call('POST', `${page.session}/window/rect`, {width: 2 * width - inner[0], height: 2 * height - inner[1]});
    return page;
  }

  // No command takes a minute (a page's script may take 30 s): a driver
  // that has stalled fails the test at once, naming the command.
  async call(method, path, body) {
    let value;
    try {
      const response = await fetch(`${this.driver}${path}`, {
        method, headers: {'Content-Type': 'application/json'}, body: body === undefined ? undefined : JSON.stringify(body),
        signal: AbortSignal.timeout(60000),
      });
      ({value} = await response.json());
    } catch (error) {
      throw new Error(`webkit: ${method} ${path}: ${error.message}`);
    }
    if (value?.error) throw new Error(`webkit: ${path}: ${value.error}: ${value.message}`);
    return value;
  }

  // Runs fn(arg) in the page, awaited, its result as JSON.
  async evaluate(fn, arg) {
    const script = `const done = arguments[1];
      Promise.resolve().then(() => (${fn})(arguments[0]))
        .then((value) => done({value}), (error) => done({failed: String(error?.message ?? error)}));`;
    const result = await this.call('POST', `${this.session}/execute/async`, {script, args: [arg ?? null]});
    if (result.failed) throw new Error(`webkit: in the page: ${result.failed}`);
    return result.value;
  }

  actions(sequences) {
    return this.call('POST', `${this.session}/actions`, {actions: sequences});
  }

  mouseMove(x, y, {steps = 1} = {}) {
    const moves = Array.from({length: steps}, (_, i) => ({type: 'pointerMove', duration: 0,
      x: Math.round(this.mouseAt.x + (x - this.mouseAt.x) * (i + 1) / steps),
      y: Math.round(this.mouseAt.y + (y - this.mouseAt.y) * (i + 1) / steps)}));
    this.mouseAt = {x, y};
    return this.actions([{type: 'pointer', id: 'mouse', parameters: {pointerType: 'mouse'}, actions: moves}]);
  }

  // WebKitWebDriver releases every button as the left one and keeps the
  // others held for the rest of the session, so the middle and the right
  // buttons are the events they make, sent by a script to what is under
  // the pointer (or, for the release, to what took the pointer's capture
  // at the press, as the browser would send it).
  mouseButton(way, button) {
    if (button === 'left') {
      return this.actions([{type: 'pointer', id: 'mouse', parameters: {pointerType: 'mouse'},
        actions: [{type: way === 'down' ? 'pointerDown' : 'pointerUp', button: 0}]}]);
    }
    return this.evaluate(([way, button, at]) => {
      const under = document.elementFromPoint(at.x, at.y) ?? document.body;
      const target = way === 'up' ? globalThis.vesmorCapture ?? under : under;
      const init = {bubbles: true, cancelable: true, composed: true, clientX: at.x, clientY: at.y, button,
        buttons: way === 'down' ? (button === 1 ? 4 : 2) : 0, view: window};
      const capture = Element.prototype.setPointerCapture;
      globalThis.vesmorCapture = null;
      Element.prototype.setPointerCapture = function () { globalThis.vesmorCapture = this; };
      try {
        target.dispatchEvent(new PointerEvent(`pointer${way}`, {...init, pointerId: 1, pointerType: 'mouse', isPrimary: true}));
      } finally {
        Element.prototype.setPointerCapture = capture;
      }
      under.dispatchEvent(new MouseEvent(`mouse${way}`, init));
      if (way === 'down' && button === 2) under.dispatchEvent(new MouseEvent('contextmenu', init));
    }, [way, Buttons[button], this.mouseAt]);
  }

  key(way, key) {
    const value = WebKitKeys[key] ?? (/^Key[A-Z]$/.test(key) ? key.slice(3).toLowerCase() : key);
    return this.actions([{type: 'key', id: 'keys', actions: [{type: way === 'down' ? 'keyDown' : 'keyUp', value}]}]);
  }

  async goto(url) {
    await this.report();
    await this.call('POST', `${this.session}/url`, {url});
    this.mouseAt = {x: 0, y: 0};
    this.loaded = true;
    await this.observe();
  }

  async reload() {
    await this.report();
    await this.call('POST', `${this.session}/refresh`, {});
    await this.observe();
  }

  // A network off is a server gone: WebDriver has no switch for it.
  offline() {}

  async shot({x, y, width, height}) {
    const whole = readPng(Buffer.from(await this.call('GET', `${this.session}/screenshot`), 'base64'));
    const rgba = Buffer.alloc(width * height * 4);
    for (let row = 0; row < height; ++row)
      whole.rgba.copy(rgba, row * width * 4, ((y + row) * whole.width + x) * 4, ((y + row) * whole.width + x + width) * 4);
    return {width, height, rgba};
  }

  async close() {
    await this.report();
    await this.call('DELETE', this.session);
  }

  // From now on the page keeps what goes wrong in it.
  observe() {
    return this.evaluate(() => {
      if (globalThis.vesmorObserved) return;
      const kept = globalThis.vesmorObserved = [];
      addEventListener('error', (event) => kept.push(`uncaught ${event.message ?? event.target?.src ?? 'error'}`), true);
      addEventListener('unhandledrejection', (event) => kept.push(`unhandled rejection ${event.reason}`));
      addEventListener('securitypolicyviolation', (event) => kept.push(`refused ${event.blockedURI} (${event.violatedDirective})`));
    });
  }

  // What the page kept, and every resource it loaded, as the listeners'.
  async report() {
    if (!this.loaded) return;
    const {problems, resources} = await this.evaluate(() => ({
      problems: globalThis.vesmorObserved ?? [],
      resources: [location.href, ...performance.getEntriesByType('resource').map((entry) => entry.name)],
    }));
    for (const problem of problems) this.emit('error', problem);
    for (const url of new Set(resources)) this.emit('request', url);
  }
}

const Engines = {chromium: ChromiumPage, firefox: FirefoxPage, webkit: WebKitPage};

// The engine named, its version and a way to open pages in it.
export async function launch(engine = process.env.VESMOR_WEB_ENGINE ?? 'chromium') {
  if (!Engines[engine]) throw new Error(`no engine ${engine}: ${engines.join(', ')}`);
  return {engine, ...await Engines[engine].launch()};
}
