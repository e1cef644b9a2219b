#include "web/web_saver.h"

#include <cstdint>

#include "fractal/preset_deck.h"
#include "fractal/random.h"
#include "render/engine_reset.h"
#include "render/picture_cycle.h"
#include "render/render_thread.h"
#include "settings/saver_settings.h"

namespace scintle {

WebSaverState webSaver;

namespace {

// Told by the cycle at the end of each picture: the Worker takes over until the next.
void OnPictureDone(void*) {
    ++webSaver.pictures;
    StopRenderThread();
}

// A sleep beyond what the Worker waited: the cycle cannot paint; the Worker waits it.
void OnOverslept() { StopRenderThread(); }

// What the cycle sleeps of a completion delay: whole slices (render/picture_cycle.h).
int32_t CompletionWait(int32_t delay) {
    const auto slice = static_cast<int32_t>(kDelaySliceMs);
    return delay > 0 ? delay / slice * slice : 0;
}

}  // namespace

void StartWebSaver(int32_t width, int32_t height, const SaverSettingsRecord& settings,
                   bool seeded, uint32_t seed, MillisecondClock clock, FrameSink sink) {
    StopWebSaver();
    webSaver.canvas = new WebCanvas(width, height, clock, sink);
    webSaver.canvas->overslept = OnOverslept;
    ResetEngine(webSaver.canvas);
    SaverSettings = settings;
    if (seeded) SeedRenderThread(seed);
    renderCycle.pictureDone = OnPictureDone;
}

int32_t PaintNextWebPicture() {
    WebSaverState& w = webSaver;
    if (!w.canvas) return 0;
    if (w.settingsPending) {
        SaverSettings = w.pending;
        ClearDeck();
        w.settingsPending = false;
    }
    // A new picture after a finished one waits its delay, which the Worker has waited
    // already; the first picture waits none, nor one the last call left unfinished.
    const int32_t waited = w.between ? CompletionWait(SaverSettings.CompletionDelay) : 0;
    w.canvas->slept = 0;
    w.canvas->sleepAllowance = waited;
    const int32_t before = w.pictures;
    if (!w.started) {
        w.started = true;
        StartRenderThread(w.canvas->window());
    } else {
        // As the render thread would go on: the picture it was at, or the next one, the
        // generator where it left it.
        renderCycle.runningFlag.store(1);
        RunRenderCycle(w.canvas->window());
    }
    w.between = w.pictures > before;
    const int64_t owed = w.canvas->slept - waited;
    w.owed = owed > 0 ? static_cast<int32_t>(owed < INT32_MAX ? owed : INT32_MAX) : 0;
    return w.pictures;
}

void ChangeWebSaverSettings(const SaverSettingsRecord& settings) {
    webSaver.pending = settings;
    webSaver.settingsPending = true;
}

int32_t WebSaverDelay() {
    const int32_t delay = webSaver.settingsPending ? webSaver.pending.CompletionDelay
                                                   : SaverSettings.CompletionDelay;
    // Between pictures, the coming one's delay; within one, only the slices owed.
    const int64_t wait = int64_t{webSaver.between ? CompletionWait(delay) : 0} + webSaver.owed;
    return static_cast<int32_t>(wait < INT32_MAX ? wait : INT32_MAX);
}

uint32_t WebSaverGenerator() { return randomState; }

void StopWebSaver() {
    if (webSaver.canvas) {
        ResetEngine();
        delete webSaver.canvas;
    }
    webSaver = WebSaverState{};
}

}  // namespace scintle
