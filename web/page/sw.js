// The page's service worker: every file of the page in a cache named for
// their digest, answered from there, so the page works offline after one
// visit. A new version waits until the page's Reload lets it take over, so
// it never changes the page under the user's hands.
const CACHE = 'orbelin-@VERSION@';
const FILES = [
@FILES@];

self.addEventListener('install', (event) => {
  // 'no-cache' asks the server whether the browser's copy is still good, so
  // the files the first visit just loaded are not downloaded again.
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: 'no-cache' })))));
});

self.addEventListener('message', (event) => {
  if (event.data === 'take-over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((keys) => Promise.all(keys.filter((k) => k.startsWith('orbelin-') && k !== CACHE).map((k) => caches.delete(k))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.match(request, { ignoreSearch: true })
    .then((hit) => hit ?? (request.mode === 'navigate' ? caches.match('./') : undefined))
    .then((hit) => hit ?? fetch(request)));
});
