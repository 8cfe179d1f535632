// Keeps the page's files, so that the page opened once from https or
// localhost also opens without a network. Each request goes to the network
// first, so that a newer build is taken when it is there, and is kept; the
// kept copy answers when the network does not.
'use strict';

const kCache = 'tanshuku-page';
const kFiles = [
  './',
  'index.html',
  'page.css',
  'page.js',
  'phone.js',
  'program_contract.js',
  'program_host.js',
  'tanshuku.js',
  'editor.js',
  'xterm.js',
  'xterm-fit.js',
  'xterm.css',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)));
  self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

async function fromNetworkOrKept(request) {
  const cache = await caches.open(kCache);
  try {
    const response = await fetch(request);
    if (response.ok) await cache.put(request, response.clone());
    return response;
  } catch (error) {
    const kept = await cache.match(request, { ignoreSearch: true });
    if (kept) return kept;
    throw error;
  }
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fromNetworkOrKept(request));
});
