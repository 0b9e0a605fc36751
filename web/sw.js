// The site's files, cached on the first visit so the page opens again with
// no network, and the sound files kept as they are first fetched; each build
// is another version and replaces the cache. The build fills in the version
// and the file list.
const version = "@VERSION@";
const files = ["./", @FILES@];

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches
      .open(version)
      .then((cache) => cache.addAll(files))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((keys) => Promise.all(keys.filter((key) => key !== version).map((key) => caches.delete(key))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  const keep = (response) => {
    if (response.ok && new URL(event.request.url).origin === self.location.origin) {
      const copy = response.clone();
      caches.open(version).then((cache) => cache.put(event.request, copy));
    }
    return response;
  };
  event.respondWith(
    caches.match(event.request, { ignoreSearch: true }).then((hit) => hit ?? fetch(event.request).then(keep)),
  );
});
