// Keeps one build of the page's files, so that the page opened once from
// https or localhost opens at once, and opens without a network. The files
// are answered from the kept build only, never from the network or the
// browser's HTTP cache, so one page never mixes two builds. A newer build
// comes as a new worker (the browser looks for one on each visit, in the
// background): it fetches all of its files past the HTTP cache, checks each
// against its digest, and takes over only when every one has arrived
// whole; until then, and when any fails, the kept build stays.
'use strict';

// The build's files and their SHA-256, written in by the build
// (web/stamp_site.cmake).
const kBuild = { stamp: 'unbuilt', files: {} };

const kCachePrefix = 'tanshuku-page';
const kCache = kCachePrefix + '-' + kBuild.stamp;

// The file a request asks for, by its name beside the worker ('' for the
// folder, which is index.html).
function fileOf(url) {
  const scope = self.registration.scope;
  const href = url.split(/[?#]/)[0];
  if (!href.startsWith(scope)) return null;
  return href.slice(scope.length) || 'index.html';
}

const keyOf = (name) => new URL(name, self.registration.scope).href;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// A file of this build, fetched whole from the server itself.
async function arrived(name) {
  const response = await fetch(keyOf(name), { cache: 'reload' });
  if (!response.ok) throw new Error(`${name}: ${response.status}`);
  const bytes = await response.arrayBuffer();
  const digest = hex(await crypto.subtle.digest('SHA-256', bytes));
  if (digest !== kBuild.files[name]) throw new Error(`${name} is not of this build`);
  const type = response.headers.get('Content-Type');
  return new Response(bytes, { headers: type ? { 'Content-Type': type } : {} });
}

async function keepBuild() {
  const names = Object.keys(kBuild.files);
  const responses = await Promise.all(names.map(arrived));
  const cache = await caches.open(kCache);
  await Promise.all(names.map((name, i) => cache.put(keyOf(name), responses[i])));
}

self.addEventListener('install', (event) => {
  event.waitUntil(keepBuild().then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  const others = async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(kCachePrefix) && name !== kCache) await caches.delete(name);
    }
  };
  event.waitUntil(others().then(() => self.clients.claim()));
});

async function kept(name, request) {
  const cache = await caches.open(kCache);
  return (await cache.match(keyOf(name))) || fetch(request);
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const name = fileOf(request.url);
  if (name === null || !Object.prototype.hasOwnProperty.call(kBuild.files, name)) return;
  event.respondWith(kept(name, request));
});
