// Registers the service worker (sw.js) that keeps the site for use offline. Only
// where the page is served securely (a web host with HTTPS, or 127.0.0.1); elsewhere
// the pages simply need the network.
export function keepForOffline() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
    navigator.serviceWorker.register(new URL('./sw.js', import.meta.url)).catch(() => {});
}
