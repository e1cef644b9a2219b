// The engine Worker: one instance of the engine, running the saver's cycle or
// painting the gallery's views, as the page asks (messages.js tells the messages).
// The build to load comes in the first message (messages.js: load).
//
// The saver paints one picture per call into the module; between two pictures the
// Worker waits the completion delay on a timer, so it never blocks and never spins
// (web/web_saver.h). Frames while a picture paints go out from inside that call.
import { loadEngine } from './engine.js';
import { Kind, postPicture } from './messages.js';

const saver = { width: 0, height: 0, query: false, names: [], pictures: 0 };

function postFrame(rgba, width, height) {
    postPicture(self, { kind: Kind.frame, rgba, width, height });
}

let ready = Promise.resolve(null);

function load(build) {
    const onFallback = (reason) => self.postMessage({ kind: Kind.fellBack, reason });
    ready = loadEngine(build, { onFrame: postFrame, onFallback }).catch((error) => {
        self.postMessage({ kind: Kind.failed, reason: String(error) });
        return null;
    });
}

function startSaver(engine, message) {
    const facts = engine.facts();
    saver.names = facts.settings.map((setting) => setting.name);
    let width = message.width;
    let height = message.height;
    let seeded = message.seeded;
    let seed = message.seed;
    let sized = false;
    saver.query = message.query !== null;
    if (saver.query) {
        const query = engine.useQuery(message.query);
        if (query.error) {
            self.postMessage({ kind: Kind.saverRefused, reason: query.error });
            return;
        }
        if (query.width) {
            ({ width, height } = query);
            sized = true;
        }
        if (!seeded && query.seeded) ({ seeded, seed } = query);
    } else {
        engine.useStored(message.stored, saver.names);
    }
    saver.width = width;
    saver.pictures = 0;
    saver.height = height;
    engine.saverStart(width, height, seeded, seed);
    self.postMessage({
        kind: Kind.saverStarted, width, height, sized, pointerThreshold: facts.pointerThreshold,
        kernel: engine.kernel(),
    });
    paintNext(engine);
}

function paintNext(engine) {
    const number = engine.saverPaint();
    // A call that could not paint (it owes the cycle's slice) finished no picture.
    if (number > saver.pictures) {
        saver.pictures = number;
        postPicture(self, {
            kind: Kind.picture, rgba: engine.saverRgba(saver.width, saver.height),
            width: saver.width, height: saver.height, number, generator: engine.saverGenerator(),
        });
    }
    setTimeout(() => paintNext(engine), engine.saverDelay());
}

function paintView(engine, { id, family, row, scheme, width, height }) {
    const rgba = engine.view(family, row, scheme, width, height);
    postPicture(self, { kind: Kind.viewDone, id, rgba, width, height });
}

self.onmessage = async ({ data: message }) => {
    if (message.kind === Kind.load) {
        load(message.build);
        return;
    }
    const engine = await ready;
    if (!engine) return;
    switch (message.kind) {
        case Kind.saverStart:
            startSaver(engine, message);
            break;
        case Kind.saverSettings:
            // A query stands alone: the store does not change its cycle.
            if (!saver.query) {
                engine.useStored(message.stored, saver.names);
                engine.saverChangeSettings();
            }
            break;
        case Kind.view:
            paintView(engine, message);
            break;
    }
};
