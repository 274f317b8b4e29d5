// Keeps the whole site, so that the game plays with no network after the
// first visit and can be installed as an app. The build writes the list of
// files and a version that changes with any of them; a new version replaces
// the old copy as soon as it is kept.
const Version = '@VERSION@';
const Files = @FILES@;
const Kept = `vesmor-${Version}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(Kept).then((cache) => cache.addAll(Files)).then(() => self.skipWaiting()));
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
