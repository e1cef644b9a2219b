// One instance of the engine's WebAssembly module (web/web_module.cpp), in the
// page's thread or a Worker, with its entry points as plain functions. Text comes
// back as strings, JSON already parsed; pictures as copies of their RGBA bytes.
//
// `hooks.onFrame(rgba, width, height)` receives the frames of a painting saver;
// `hooks.onFallback(reason)` hears that the SIMD build could not load and the plain one
// was loaded instead.

async function instantiate(build, hooks) {
    const { default: createScintle } = await import(`./scintle-${build}.js`);
    return createScintle({ onFrame: hooks.onFrame ?? (() => {}) });
}

async function loadModule(build, hooks) {
    try {
        return { m: await instantiate(build, hooks), loaded: build };
    } catch (error) {
        if (build !== 'simd') throw error;
        hooks.onFallback?.(String(error));
        return { m: await instantiate('plain', hooks), loaded: 'plain' };
    }
}

export async function loadEngine(build, hooks = {}) {
    const { m, loaded } = await loadModule(build, hooks);
    const text = (name, args = []) => {
        const call = m.cwrap(name, 'number', args.map(() => 'string'));
        return (...values) => m.UTF8ToString(call(...values));
    };
    const json = (name, args) => {
        const call = text(name, args);
        return (...values) => JSON.parse(call(...values));
    };
    const bytes = (pointer, length) => (pointer ? m.HEAPU8.slice(pointer, pointer + length) : null);
    const storedValue = m.cwrap('scintle_stored_value', null, ['string', 'string']);
    const option = text('scintle_query_option', ['name', 'value']);
    const formRefusal = json('scintle_form_refusal', ['fields']);

    return {
        build: loaded,
        facts: json('scintle_facts'),
        // The settings form's number fields ({name: text}): null, or the first refusal
        // {field, caption, message}.
        formRefusal(fields) {
            const lines = Object.entries(fields).map(([name, value]) => `${name}=${value}`);
            const refusal = formRefusal(lines.join('\n'));
            return refusal.field ? refusal : null;
        },
        // Settings from the store's texts ({name: text}); what they come to.
        useStored(stored, names) {
            m._scintle_stored_begin();
            for (const name of names) storedValue(name, stored[name] ?? null);
            return JSON.parse(m.UTF8ToString(m._scintle_settings_values()));
        },
        // The query's [name, value] pairs: {error} or {seeded, seed, width, height}.
        useQuery(pairs) {
            m._scintle_query_begin();
            for (const [name, value] of pairs) {
                const reason = option(name, value);
                if (reason) return { error: reason };
            }
            return JSON.parse(m.UTF8ToString(m._scintle_query_end()));
        },
        saverStart: (width, height, seeded, seed) =>
            m._scintle_saver_start(width, height, seeded ? 1 : 0, seed),
        saverPaint: () => m._scintle_saver_paint(),
        saverChangeSettings: () => m._scintle_saver_change_settings(),
        saverDelay: () => m._scintle_saver_delay(),
        saverGenerator: () => m._scintle_saver_generator() >>> 0,
        saverRgba: (width, height) => bytes(m._scintle_saver_rgba(), width * height * 4),
        view: (family, row, scheme, width, height) =>
            bytes(m._scintle_view(family, row, scheme, width, height), width * height * 4),
        kernel: () => m.UTF8ToString(m._scintle_kernel()),
    };
}
