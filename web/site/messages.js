// The messages between a page and its engine Worker (engine_worker.js), all of them.
// Each is a plain object whose `kind` is one of these; pictures travel as RGBA bytes
// (red, green, blue, 255 per pixel, top row first) in a buffer that is transferred,
// not copied.
//
// Page to Worker:
//   load           {build}: the build to load ("simd" or "plain"), always the first
//                  message. Not in the Worker's URL: a Worker whose script the service
//                  worker answers from its copy has the copy's address, without a query.
//   saverStart     {width, height, seeded, seed, stored, query}: start the saver's
//                  cycle at the window's size in device pixels. `query` is the page
//                  query's [name, value] pairs, or null; with a query the stored
//                  settings are not read (web/query_options.h). `stored` maps registry
//                  value names to the stored text. `seeded` and `seed` carry a cycle on
//                  after a resize (they win over the query's seed).
//   saverSettings  {stored}: the stored settings changed; used from the next picture.
//   view           {id, family, row, scheme, width, height}: paint a catalogue view
//                  as `scintle-render view` does.
//
// Worker to page:
//   saverStarted   {width, height, sized, pointerThreshold, kernel}: the cycle's size
//                  (the query's, and then `sized`, or the window's), how far the
//                  pointer may drift in full screen, and the kernel that paints.
//   saverRefused   {reason}: the query was refused; nothing will be drawn.
//   frame          {rgba, width, height}: the canvas while a picture paints.
//   picture        {rgba, width, height, number, generator}: a finished picture, its
//                  number from 1, and the generator's state after it.
//   viewDone       {id, rgba, width, height} or {id, rgba: null} for a view the
//                  catalogue does not have.
//   fellBack       {reason}: the SIMD build could not be loaded; the plain one paints.
//   failed         {reason}: the engine could not be loaded; later messages get no answer.

export const Kind = Object.freeze({
    load: 'load',
    saverStart: 'saverStart',
    saverSettings: 'saverSettings',
    view: 'view',
    saverStarted: 'saverStarted',
    saverRefused: 'saverRefused',
    frame: 'frame',
    picture: 'picture',
    viewDone: 'viewDone',
    fellBack: 'fellBack',
    failed: 'failed',
});

// Posts a message that carries a picture, handing its buffer over.
export function postPicture(target, message) {
    target.postMessage(message, message.rgba ? [message.rgba.buffer] : []);
}

// The Worker of one engine instance, running the given build ("simd" or "plain").
export function startEngineWorker(build) {
    const worker = new Worker(new URL('./engine_worker.js', import.meta.url), { type: 'module' });
    worker.postMessage({ kind: Kind.load, build });
    return worker;
}

// What a page shows when an engine could not be loaded.
export function engineFailureText(reason) {
    return `The engine could not start: ${reason}`;
}

let fallbackTold = false;

// Says once a page that the SIMD build could not load and the plain one paints.
export function tellFallback(reason) {
    if (fallbackTold) return;
    fallbackTold = true;
    console.warn(`The SIMD build could not be loaded (${reason}); the plain build paints instead.`);
}
