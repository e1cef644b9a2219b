// The saver page (index.html): the picture cycle in an engine Worker at the window's
// device pixels, nothing on screen but the picture. The page's query, if any, is the
// X11 saver's options without their dashes (web/query_options.h) and stands alone;
// without one the stored settings apply, and a change to them applies from the next
// picture. A resize starts a new picture at the new size in a new Worker, which goes
// on with the generator where the last finished picture left it; the newest size wins,
// also one that comes while a Worker is still loading. A query's size stays, at the
// top-left corner, one device pixel per picture pixel.
//
// For tests, the body's data-pictures counts the finished pictures of the cycle
// (from 0 at each start) and data-kernel names the kernel that paints.
import { chooseBuild } from './build_choice.js';
import { armFullScreen } from './full_screen.js';
import { engineFailureText, Kind, startEngineWorker, tellFallback } from './messages.js';
import { keepForOffline } from './offline.js';
import { onStoredChange, readStored } from './stored_settings.js';

const kResizeSettle = 250;  // ms of quiet before a resize starts a new picture

const screen = document.getElementById('screen');
const canvas = document.getElementById('picture');
const context = canvas.getContext('2d');
const query = [...new URLSearchParams(location.search)].filter(([name]) => name !== 'build');
const build = chooseBuild();

const saver = {
    worker: null,
    window: null,      // the window's size in device pixels
    drawn: null,       // the size the cycle paints at; null while a Worker loads
    fixedSize: false,  // the query gave the size
    generator: null,   // after the last finished picture
    threshold: Infinity,
    latest: null,      // the newest frame, waiting for the screen
    resizeTimer: 0,
};

function show(message) {
    if (message.width !== canvas.width || message.height !== canvas.height) return;
    context.putImageData(new ImageData(new Uint8ClampedArray(message.rgba.buffer),
                                       message.width, message.height), 0, 0);
}

function drawLatest() {
    if (saver.latest) show(saver.latest);
    saver.latest = null;
}

function refuse(reason) {
    const note = document.getElementById('refusal');
    note.textContent = reason;
    note.hidden = false;
}

function onMessage(worker, message) {
    if (worker !== saver.worker) return;  // from a Worker already let go
    switch (message.kind) {
        case Kind.saverStarted: {
            const ratio = window.devicePixelRatio || 1;
            canvas.width = message.width;
            canvas.height = message.height;
            canvas.style.width = `${message.width / ratio}px`;
            canvas.style.height = `${message.height / ratio}px`;
            saver.drawn = { width: message.width, height: message.height };
            saver.fixedSize = message.sized;
            followWindow();
            saver.threshold = message.pointerThreshold;
            document.body.dataset.kernel = message.kernel;
            document.body.dataset.pictures = '0';
            break;
        }
        case Kind.frame:
            if (!saver.latest) requestAnimationFrame(drawLatest);
            saver.latest = message;
            break;
        case Kind.picture:
            saver.latest = null;
            show(message);
            saver.generator = message.generator;
            document.body.dataset.pictures = String(message.number);
            break;
        case Kind.fellBack:
            tellFallback(message.reason);
            break;
        case Kind.saverRefused:
            refuse(message.reason);
            break;
        case Kind.failed:
            refuse(engineFailureText(message.reason));
            break;
    }
}

function start() {
    saver.worker?.terminate();
    const worker = startEngineWorker(build);
    saver.worker = worker;
    saver.drawn = null;
    worker.onmessage = ({ data }) => onMessage(worker, data);
    worker.postMessage({
        kind: Kind.saverStart,
        width: saver.window.width,
        height: saver.window.height,
        seeded: saver.generator !== null,
        seed: saver.generator ?? 0,
        stored: readStored(),
        query: query.length > 0 ? query : null,
    });
}

// A new picture once the window has kept a size other than the one painted; a Worker
// still loading is asked again when it starts.
function followWindow() {
    if (saver.fixedSize || !saver.drawn) return;
    clearTimeout(saver.resizeTimer);
    saver.resizeTimer = setTimeout(() => {
        const { width, height } = saver.window;
        if (width !== saver.drawn.width || height !== saver.drawn.height) start();
    }, kResizeSettle);
}

function onResize(size) {
    const first = saver.window === null;
    saver.window = size;
    if (first) start();
    else followWindow();
}

// The screen's size in device pixels, exactly where the browser tells it.
new ResizeObserver(([entry]) => {
    const box = entry.devicePixelContentBoxSize?.[0];
    const ratio = window.devicePixelRatio || 1;
    onResize(box ? { width: box.inlineSize, height: box.blockSize }
                 : { width: Math.round(entry.contentRect.width * ratio),
                     height: Math.round(entry.contentRect.height * ratio) });
}).observe(screen);

onStoredChange(() => {
    saver.worker?.postMessage({ kind: Kind.saverSettings, stored: readStored() });
});
armFullScreen(document.documentElement, () => saver.threshold);
keepForOffline();
