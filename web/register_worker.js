// The site only (not the one file from disk): the service worker that
// keeps the site for use offline. Where trusted types are enforced, the
// worker's address goes through the one policy the site has, which lets
// through that address alone.
if ('serviceWorker' in navigator) {
    const worker = window.trustedTypes ? trustedTypes.createPolicy('quenvale-worker', {
        createScriptURL(url) {
            if (url !== 'sw.js') {
                throw new TypeError(url);
            }
            return url;
        },
    }).createScriptURL('sw.js') : 'sw.js';
    navigator.serviceWorker.register(worker);
}
