// The gallery's pass in the browser, for ./bench (web_pass_bench.py): every catalogue
// row painted by one engine Worker, one after another, as the gallery asks for a view
// (Firestorm, at ?size=, default 1280x720), with the build of ?build=. Once a small
// view has readied the Worker the body's data-ready is set; startPass() then runs the
// pass, timed from the first request to the last picture received (pictures copied
// and handed over included), and puts the result in the body's data-result as JSON:
// {seconds, pictures, kernel, build}.
import { chooseBuild } from './build_choice.js';
import { loadEngine } from './engine.js';
import { Kind, startEngineWorker } from './messages.js';

const build = chooseBuild();
const [width, height] = (new URLSearchParams(location.search).get('size') ?? '1280x720')
    .split('x').map(Number);

function painter(worker) {
    let next = 1;
    const waiting = new Map();
    worker.onmessage = ({ data }) => {
        if (data.kind !== Kind.viewDone) return;
        waiting.get(data.id)(data.rgba);
        waiting.delete(data.id);
    };
    return (view) => new Promise((resolve) => {
        const id = next++;
        waiting.set(id, resolve);
        worker.postMessage({ kind: Kind.view, id, ...view });
    });
}

async function main() {
    const engine = await loadEngine(build);
    const facts = engine.facts();
    const firestorm = facts.settings.find((s) => s.name === 'ColourScheme').bits
        .find((bit) => bit.label === 'Firestorm').value;
    const paint = painter(startEngineWorker(build));
    await paint({ family: facts.families[0].number, row: 1, scheme: firestorm, width: 16, height: 9 });
    await new Promise((resolve) => {
        window.startPass = resolve;
        document.body.dataset.ready = 'true';
    });
    let pictures = 0;
    const start = performance.now();
    for (const family of facts.families) {
        for (const row of family.rows) {
            const rgba = await paint({ family: family.number, row: row.row, scheme: firestorm, width, height });
            if (rgba) ++pictures;
        }
    }
    const seconds = (performance.now() - start) / 1000;
    document.body.dataset.result = JSON.stringify({ seconds, pictures, kernel: engine.kernel(), build });
}

main();
