// Firefox ESR for the browser tests (browsers.py's FirefoxBrowser), driven by
// puppeteer-core over WebDriver BiDi: Firefox has no classic WebDriver server in Debian.
// Started as `node firefox_bridge.mjs PROFILE DOWNLOADS WIDTH HEIGHT`; reads one JSON
// command a line ({op, ...}) and answers each with one line, {value} or {error}.
import puppeteer from 'puppeteer-core';

const [profile, downloads, width, height] = process.argv.slice(2);
const viewport = { width: Number(width), height: Number(height) };
const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    userDataDir: profile,
    args: [`--width=${width}`, `--height=${height}`],
    extraPrefsFirefox: {
        'browser.download.folderList': 2,
        'browser.download.dir': downloads,
        'browser.download.useDownloadDir': true,
        'browser.download.always_ask_before_handling_new_types': false,
        'browser.helperApps.neverAsk.saveToDisk': 'image/png',
        'browser.download.panel.shown': true,
    },
});
const console_ = [];
const pointer = { x: 0, y: 0 };
let tabs = [];

function watch(page) {
    page.on('console', (m) => console_.push({ level: m.type(), message: m.text() }));
    page.on('pageerror', (e) => console_.push({ level: 'error', message: String(e.message ?? e) }));
}

async function open() {
    const page = tabs.length ? await browser.newPage() : (await browser.pages())[0];
    watch(page);
    await page.setViewport(viewport);
    tabs.push(page);
    await page.bringToFront();
}

// CSS as it stands, or "xpath:EXPRESSION".
function selector(locator) {
    return locator.startsWith('xpath:') ? `::-p-xpath(${locator.slice(6)})` : locator;
}

async function element(locator) {
    const found = await tab().$(selector(locator));
    if (!found) throw new Error(`no element ${locator}`);
    return found;
}

const tab = () => tabs[tabs.length - 1];

const commands = {
    get: ({ url }) => tab().goto(url).then(() => null),
    url: () => tab().url(),
    run: ({ script, args }) =>
        tab().evaluate(`(function () { ${script}\n}).apply(null, ${JSON.stringify(args)})`),
    resize: ({ width, height }) => tab().setViewport({ width, height }).then(() => null),
    click: async ({ locator }) => (await element(locator)).click().then(() => null),
    typeInto: async ({ locator, text }) => {
        const field = await element(locator);
        await field.evaluate((e) => { e.value = ''; });
        await field.type(text);
        return null;
    },
    press: async ({ locator, key }) => (await element(locator)).press(key).then(() => null),
    property: async ({ locator, name }) => (await element(locator)).evaluate((e, n) => e[n], name),
    keys: ({ text }) => tab().keyboard.type(text).then(() => null),
    moveTo: ({ x, y }) => {
        Object.assign(pointer, { x, y });
        return tab().mouse.move(x, y).then(() => null);
    },
    moveBy: ({ dx, dy }) => commands.moveTo({ x: pointer.x + dx, y: pointer.y + dy }),
    clickHere: () => tab().mouse.click(pointer.x, pointer.y).then(() => null),
    shot: ({ path }) => tab().screenshot({ path }).then(() => null),
    console: () => console_.splice(0),
    openTab: () => open().then(() => null),
    closeTab: async () => {
        await tabs.pop().close();
        await tab().bringToFront();
        return null;
    },
};

await open();
process.stdout.write(`${JSON.stringify({ value: 'ready' })}\n`);

async function answer(line) {
    const command = JSON.parse(line);
    if (command.op === 'quit') {
        await browser.close();
        process.exit(0);
    }
    let reply;
    try {
        reply = { value: (await commands[command.op](command)) ?? null };
    } catch (error) {
        reply = { error: String(error.message ?? error) };
    }
    process.stdout.write(`${JSON.stringify(reply)}\n`);
}

// One command at a time, in the order they came.
let pending = '';
let queue = Promise.resolve();
process.stdin.setEncoding('utf8');
process.stdin.on('data', (chunk) => {
    pending += chunk;
    let end;
    while ((end = pending.indexOf('\n')) >= 0) {
        const line = pending.slice(0, end);
        pending = pending.slice(end + 1);
        queue = queue.then(() => answer(line));
    }
});
process.stdin.on('end', () => queue.then(() => browser.close()));
