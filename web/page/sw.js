// Keeps the site, so that the game plays with no network after the first
// visit and can be installed as an app. The build writes every file kept
// with its SHA-256 digest, and a version that changes with any file; a new
// version replaces the old copy as soon as it is whole. The licences are
// not kept: they are fetched when opened.
const Version = '@VERSION@';
const Files = @FILES@;
const Kept = `vesmor-${Version}`;

const hex = (bytes) => [...new Uint8Array(bytes)].map((b) => b.toString(16).padStart(2, '0')).join('');

// A file as this release has it. The browser's HTTP cache may still hold
// the last release's file and call it fresh (a host that dates its files
// lets the browser keep each for a tenth of its age without asking), so
// the copy it gives is kept only when its digest is this release's; else
// the file is fetched again from the host, past every cache. On a first
// visit the page has just loaded most files, and this costs nothing more.
async function fetchAsReleased(path, digest) {
  for (const cache of ['default', 'reload']) {
    const response = await fetch(path, {cache});
    if (!response.ok) throw new Error(`${path}: ${response.status}`);
    if (hex(await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer())) === digest) return response;
  }
  throw new Error(`${path}: the host serves another release's file`);
}

// Files of the same bytes (the page, as ./ and as index.html) are fetched
// once and kept under each name.
self.addEventListener('install', (event) => {
  const fetched = new Map();
  const once = (path, digest) => {
    if (!fetched.has(digest)) fetched.set(digest, fetchAsReleased(path, digest));
    return fetched.get(digest);
  };
  event.waitUntil(caches.open(Kept)
    .then((cache) => Promise.all(Object.entries(Files).map(async ([path, digest]) =>
      cache.put(path, (await once(path, digest)).clone()))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('vesmor-') && n !== Kept).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The kept copy first; the network only for what is not kept.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(Kept)
    .then((cache) => cache.match(request, {ignoreSearch: true}))
    .then((kept) => kept ?? fetch(request)));
});
