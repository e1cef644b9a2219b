// The gallery (gallery.html): the catalogue's views from the engine's family table, each
// painted by a pool of Workers as `scintle-render view` paints it, at the thumbnail's device
// pixels, and labelled with its family, row and colour scheme (the schemes taken in turn). A
// thumbnail is a link that reproduces its view: gallery.html?family=NAME&row=R&scheme=SCHEME
// (names as scintle-render takes them) opens it large, at the dialog's device pixels. "Save
// picture" paints it at the size asked and downloads it as a PNG with the pixels that
// `scintle-render view ... --size WxH` writes.
//
// An engine that cannot start fails only the views it was painting, and says so in
// the page's note; another view opened, or the large view closed, lets go of the one
// still painting.
//
// For tests, the body's data-thumbnails counts the thumbnails painted, and the query's
// broken-workers=N starts the pool's first N Workers with a build that cannot load.
import { chooseBuild } from './build_choice.js';
import { loadEngine } from './engine.js';
import { engineFailureText, tellFallback } from './messages.js';
import { keepForOffline } from './offline.js';
import { EngineFailure, WorkerPool } from './worker_pool.js';

const kThumbnail = { width: 240, height: 135 };  // CSS pixels, as site.css draws them

const build = chooseBuild();
const broken = Number(new URLSearchParams(location.search).get('broken-workers')) || 0;
const pool = new WorkerPool(build, {
    builds: Array(broken).fill('missing'),
    onLoss: (reason) => engineFailed(new EngineFailure(reason)),
});
const dialog = document.getElementById('large');
let largeJob = null;  // the large view's painting, to let go of

// An engine that could not start, in the page's note (or the one given); a view let go
// of needs no word; anything else goes on as thrown.
function engineFailed(error, note = document.getElementById('engine-note')) {
    if (error?.name === 'AbortError') return;
    if (!(error instanceof EngineFailure)) throw error;
    note.textContent = engineFailureText(error.message);
    note.hidden = false;
}

function ratio() {
    return window.devicePixelRatio || 1;
}

function schemesOf(facts) {
    return facts.settings.find((setting) => setting.name === 'ColourScheme').bits;
}

// Every view with its scheme: the catalogue in the family table's order.
function catalogue(facts) {
    const schemes = schemesOf(facts);
    const views = [];
    for (const family of facts.families) {
        for (const row of family.rows) {
            const scheme = schemes[views.length % schemes.length];
            views.push({ family, row: row.row, scheme });
        }
    }
    return views;
}

function title(view) {
    return `${view.family.name} ${view.row} · ${view.scheme.label}`;
}

function link(view) {
    const query = new URLSearchParams({ family: view.family.option, row: view.row,
                                        scheme: view.scheme.option });
    return `gallery.html?${query}`;
}

function fileName(view, width, height) {
    return `${view.family.option}-${view.row}-${view.scheme.option}-${width}x${height}.png`;
}

function command(view, width, height) {
    return `scintle-render view --family ${view.family.option} --row ${view.row} ` +
        `--scheme "${view.scheme.label}" --size ${width}x${height} ` +
        `-o ${view.family.option}-${view.row}.png`;
}

function request(view, width, height) {
    return { family: view.family.number, row: view.row, scheme: view.scheme.value, width, height };
}

function draw(canvas, rgba, width, height) {
    canvas.width = width;
    canvas.height = height;
    const pixels = new ImageData(new Uint8ClampedArray(rgba.buffer), width, height);
    canvas.getContext('2d').putImageData(pixels, 0, 0);
}

function thumbnails(views) {
    const list = document.getElementById('views');
    const width = Math.round(kThumbnail.width * ratio());
    const height = Math.round(kThumbnail.height * ratio());
    let painted = 0;
    for (const view of views) {
        const canvas = document.createElement('canvas');
        canvas.setAttribute('role', 'img');
        canvas.setAttribute('aria-label', title(view));
        const anchor = Object.assign(document.createElement('a'), { href: link(view) });
        anchor.append(canvas);
        anchor.addEventListener('click', (event) => {
            event.preventDefault();
            history.pushState(null, '', link(view));
            open(view);
        });
        const caption = Object.assign(document.createElement('span'), { textContent: title(view) });
        const item = document.createElement('li');
        item.append(anchor, caption);
        list.append(item);
        pool.paint(request(view, width, height)).then((rgba) => {
            draw(canvas, rgba, width, height);
            document.body.dataset.thumbnails = String(++painted);
        }).catch(engineFailed);
    }
}

// The view a link names (in any colour scheme), or null.
function viewOf(facts, search) {
    const query = new URLSearchParams(search);
    const family = facts.families.find((f) => f.option === query.get('family'));
    const row = family?.rows.find((r) => String(r.row) === query.get('row'));
    const scheme = schemesOf(facts).find((bit) => bit.option === query.get('scheme'));
    return row && scheme ? { family, row: row.row, scheme } : null;
}

let shown = null;
let limits = null;

async function open(view) {
    shown = view;
    document.getElementById('large-title').textContent = title(view);
    document.getElementById('link').href = link(view);
    document.getElementById('save-note').textContent = '';
    showCommand();
    if (!dialog.open) dialog.showModal();
    // As large as the window leaves room for, at 16:9, in device pixels.
    const cssWidth = Math.min(window.innerWidth * 0.9, (window.innerHeight * 0.75) * 16 / 9, 1280);
    const width = Math.round(cssWidth * ratio());
    const height = Math.round(width * 9 / 16);
    const canvas = document.getElementById('large-picture');
    canvas.style.width = `${width / ratio()}px`;
    canvas.style.height = `${height / ratio()}px`;
    largeJob?.abort();
    largeJob = new AbortController();
    try {
        const rgba = await pool.paint(request(view, width, height),
                                      { first: true, signal: largeJob.signal });
        draw(canvas, rgba, width, height);
    } catch (error) {
        engineFailed(error);
    }
}

function saveSize() {
    const width = Number(document.getElementById('save-width').value);
    const height = Number(document.getElementById('save-height').value);
    return Number.isInteger(width) && Number.isInteger(height) && width >= 1 && height >= 1
        ? { width, height } : null;
}

function showCommand() {
    const size = saveSize() ?? { width: 1920, height: 1080 };
    document.getElementById('command').textContent = command(shown, size.width, size.height);
}

async function save(event) {
    event.preventDefault();
    const note = document.getElementById('save-note');
    const size = saveSize();
    const view = shown;
    let rgba = null;
    try {
        rgba = size && await pool.paint(request(view, size.width, size.height), { first: true });
    } catch (error) {
        engineFailed(error, note);
        return;
    }
    if (!rgba) {
        const { side, pixels } = limits;
        note.textContent = `Please enter a width and a height from 1 to ${side}, ` +
            `${pixels.toLocaleString('en')} pixels at most.`;
        return;
    }
    const canvas = document.createElement('canvas');
    draw(canvas, rgba, size.width, size.height);
    canvas.toBlob((blob) => {
        const url = URL.createObjectURL(blob);
        const download = fileName(view, size.width, size.height);
        const anchor = Object.assign(document.createElement('a'), { href: url, download });
        document.body.append(anchor);
        anchor.click();
        anchor.remove();
        setTimeout(() => URL.revokeObjectURL(url), 60000);
        note.textContent = `Saved ${anchor.download}`;
    }, 'image/png');
}

async function main() {
    let engine;
    try {
        engine = await loadEngine(build, { onFallback: tellFallback });
    } catch (error) {
        engineFailed(new EngineFailure(String(error)));
        return;
    }
    const facts = engine.facts();
    limits = facts.pictureLimits;
    const views = catalogue(facts);
    thumbnails(views);
    const asked = viewOf(facts, location.search);
    if (asked) open(asked);
    window.addEventListener('popstate', () => {
        const view = viewOf(facts, location.search);
        if (view) open(view);
        else if (dialog.open) dialog.close();
    });
    document.getElementById('save').addEventListener('submit', save);
    document.getElementById('save-width').addEventListener('input', showCommand);
    document.getElementById('save-height').addEventListener('input', showCommand);
    document.getElementById('close').addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => {
        largeJob?.abort();
        shown = null;
        if (location.search) history.pushState(null, '', 'gallery.html');
    });
}

main();
keepForOffline();
