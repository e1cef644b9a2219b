// The settings as the browser keeps them: one localStorage entry per registry value,
// named "scintle.<value name>" (scintle.CompletionDelay), holding the number as the
// registry would, in decimal. What a stored text means is the engine's to say
// (settings/setting_text.h): text it cannot read, a number over 32 bits or a mask's 0
// leaves the setting's default.
const kPrefix = 'scintle.';

// Storage may be refused (a private window, a blocked site): then nothing is stored.
function storage() {
    try {
        return window.localStorage;
    } catch {
        return null;
    }
}

// {name: text} for every stored setting.
export function readStored() {
    const store = storage();
    const stored = {};
    if (!store) return stored;
    for (let i = 0; i < store.length; ++i) {
        const key = store.key(i);
        if (key?.startsWith(kPrefix)) stored[key.slice(kPrefix.length)] = store.getItem(key);
    }
    return stored;
}

// Stores {name: number}; false when the browser refuses.
export function writeStored(values) {
    const store = storage();
    if (!store) return false;
    try {
        for (const [name, value] of Object.entries(values))
            store.setItem(kPrefix + name, String(value));
        return true;
    } catch {
        return false;
    }
}

// Calls back when another page changes the stored settings.
export function onStoredChange(callback) {
    window.addEventListener('storage', (event) => {
        if (event.key === null || event.key.startsWith(kPrefix)) callback();
    });
}
