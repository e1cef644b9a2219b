// The settings form (settings.html), built from the engine's settings table: the
// configuration dialog's groups, labels and controls, each field named after its
// registry value (name="CompletionDelay"; a mask's boxes share their mask's name, each
// with its bit as value). It shows the stored settings as the saver reads them (a
// stored value the engine cannot read shows its default). OK stores all nine (in
// localStorage, stored_settings.js) unless the engine refuses an entry, with the
// dialog's message, in which case nothing is stored; Cancel stores nothing. Both go
// back to the saver. Select All and Select None set every box of the masks.
import { chooseBuild } from './build_choice.js';
import { loadEngine } from './engine.js';
import { tellFallback } from './messages.js';
import { keepForOffline } from './offline.js';
import { readStored, writeStored } from './stored_settings.js';

const form = document.getElementById('settings');

function element(tag, properties = {}, children = []) {
    const node = Object.assign(document.createElement(tag), properties);
    node.append(...children);
    return node;
}

// A check box or radio button with its label after it.
function box(type, name, value, label, checked) {
    const input = element('input', { type, name, value: String(value), checked });
    return element('label', { className: 'choice' }, [input, ` ${label}`]);
}

function controls(setting, value) {
    switch (setting.kind) {
        case 'switch':
            if (setting.offLabel) {
                return [box('radio', setting.name, 1, setting.label, value !== 0),
                        box('radio', setting.name, 0, setting.offLabel, value === 0)];
            }
            return [box('checkbox', setting.name, 1, setting.label, value !== 0)];
        case 'mask':
            return setting.bits.map((bit) => box('checkbox', setting.name, bit.value, bit.label,
                                                 (value & bit.value) !== 0));
        default: {
            const id = `field-${setting.name}`;
            const input = element('input', {
                type: 'text', inputMode: 'numeric', name: setting.name, id, value: String(value),
            });
            input.style.width = `${String(setting.high).length + 3}ch`;
            const label = element('label', { htmlFor: id, textContent: setting.label.trim() });
            const parts = [label, ' ', input];
            if (setting.unit) parts.push(` ${setting.unit}`);
            return [element('span', { className: 'number' }, parts)];
        }
    }
}

function build(facts, values) {
    const groups = new Map();
    for (const setting of facts.settings) {
        if (!groups.has(setting.group)) {
            const legend = element('legend', { textContent: setting.group });
            const fieldset = element('fieldset', {}, [legend]);
            groups.set(setting.group, fieldset);
            document.getElementById('groups').append(fieldset);
        }
        groups.get(setting.group).append(...controls(setting, values[setting.name]));
    }
    document.getElementById('caption').textContent += ` - Version ${facts.version}`;
}

function inputsNamed(name) {
    return [...form.querySelectorAll(`input[name="${name}"]`)];
}

// What the form holds, as the store keeps it.
function read(facts) {
    const values = {};
    for (const setting of facts.settings) {
        const inputs = inputsNamed(setting.name);
        switch (setting.kind) {
            case 'switch': {
                const on = inputs.find((input) => input.checked);
                values[setting.name] = on ? Number(on.value) : 0;
                break;
            }
            case 'mask':
                values[setting.name] = inputs.reduce(
                    (mask, input) => (input.checked ? mask | Number(input.value) : mask), 0) >>> 0;
                break;
            default:
                values[setting.name] = Number(inputs[0].value);
        }
    }
    return values;
}

function numberTexts(facts) {
    const texts = {};
    for (const setting of facts.settings) {
        if (setting.kind === 'seconds' || setting.kind === 'count') {
            texts[setting.name] = inputsNamed(setting.name)[0].value;
        }
    }
    return texts;
}

function showRefusal(refusal) {
    document.getElementById('refusal-caption').textContent = `${refusal.caption}:`;
    document.getElementById('refusal-text').textContent = refusal.message;
    document.getElementById('refusal').hidden = false;
    inputsNamed(refusal.field)[0]?.focus();
}

function setBoxes(facts, checked) {
    for (const setting of facts.settings.filter((s) => s.kind === 'mask')) {
        for (const input of inputsNamed(setting.name)) input.checked = checked;
    }
}

async function main() {
    const engine = await loadEngine(chooseBuild(), { onFallback: tellFallback });
    const facts = engine.facts();
    const names = facts.settings.map((setting) => setting.name);
    build(facts, engine.useStored(readStored(), names));

    form.addEventListener('submit', (event) => {
        event.preventDefault();
        const refusal = engine.formRefusal(numberTexts(facts));
        if (refusal) {
            showRefusal(refusal);
            return;
        }
        if (!writeStored(read(facts))) {
            showRefusal({ caption: 'Not stored',
                          message: 'This browser keeps no settings for this site.',
                          field: names[0] });
            return;
        }
        location.href = 'index.html';
    });
    const cancel = () => { location.href = 'index.html'; };
    document.getElementById('cancel').addEventListener('click', cancel);
    // As in the dialog: Escape is Cancel, Enter is OK, except on a button or a link,
    // which Enter presses.
    document.addEventListener('keydown', (event) => {
        if (event.key === 'Escape') {
            event.preventDefault();
            cancel();
        } else if (event.key === 'Enter' && !event.target.closest?.('button, a')) {
            event.preventDefault();
            form.requestSubmit();
        }
    });
    document.getElementById('select-all').addEventListener('click', () => setBoxes(facts, true));
    document.getElementById('select-none').addEventListener('click', () => setBoxes(facts, false));
    document.body.dataset.ready = 'true';
}

main();
keepForOffline();
