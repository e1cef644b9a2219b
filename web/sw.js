// The service worker: keeps every file of the site, so that the saver, its settings
// and the gallery install as an app and run offline. web/build.sh writes the list of
// files and a version made from their contents into the copy in the site; a new
// version replaces the old files at once and drops the old copy.
const kVersion = '@VERSION@';
const kFiles = @FILES@;
const kCache = `scintle-${kVersion}`;

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((name) => name !== kCache)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The kept copy first (a page's query does not change the file); the network for
// anything else.
self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') return;
    event.respondWith(caches.open(kCache)
        .then((cache) => cache.match(event.request, { ignoreSearch: true }))
        .then((kept) => kept ?? fetch(event.request)));
});
