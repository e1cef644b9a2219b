// The saver in a Worker: the engine's picture cycle on a web canvas (web_canvas.h),
// one picture per call, so that the Worker can wait the completion delay between two
// pictures without blocking (a Worker has no cheap way to sleep).
//
// Each picture is the one the cycle paints next: the first call starts the render
// thread (render/render_thread.h) on the canvas, which is the Worker itself; the
// cycle's pictureDone stops it as soon as a picture is finished. A later call runs
// the cycle again from where it stopped: it chooses the next view, colours and
// blanking, waits the completion delay (at once: the Worker has waited it), blanks and
// paints. The random draws do not depend on when the time passes, so a seed gives the
// pictures that `scintle-render cycle` writes for it, one after another.
//
// One saver per process (the engine's state is process-wide): the page starts a new
// Worker for a new size.
#pragma once

#include <cstdint>

#include "settings/settings_record.h"
#include "web/web_canvas.h"

namespace scintle {

struct WebSaverState {
    WebCanvas* canvas = nullptr;
    int32_t pictures = 0;  // finished so far
    SaverSettingsRecord pending = {};  // settings for the coming picture
    bool settingsPending = false;
    bool started = false;  // the cycle has run: later calls go on with it
    bool between = false;  // the last call ended with a finished picture
    // What the last call slept beyond its completion delay: the slices the cycle waits
    // while it cannot paint a picture (no memory, no pixels), owed by the Worker.
    int32_t owed = 0;
};

extern WebSaverState webSaver;

// A new cycle at this size with these settings; with `seeded`, its generator starts at
// `seed` (otherwise at the time). Paints nothing yet.
void StartWebSaver(int32_t width, int32_t height, const SaverSettingsRecord& settings,
                   bool seeded, uint32_t seed, MillisecondClock clock, FrameSink sink);

// Paints the next picture to its end; returns how many pictures are finished. A cycle
// that cannot paint (it sleeps a slice before each new try) returns at its first try,
// with nothing finished and the slice owed (WebSaverDelay).
int32_t PaintNextWebPicture();

// These settings from the next picture on, as if the saver had started with them
// (the deck is dealt afresh under them).
void ChangeWebSaverSettings(const SaverSettingsRecord& settings);

// How long to wait before the next call, in milliseconds: after a finished picture the
// next one's completion delay (0 for a negative one, which the cycle does not wait
// either), and what the last call owes (a cycle that cannot paint must not spin).
int32_t WebSaverDelay();

// The generator as the last finished picture left it: a new saver seeded with it
// goes on with the same sequence of choices.
uint32_t WebSaverGenerator();

// Frees the canvas and puts the engine back to its start.
void StopWebSaver();

}  // namespace scintle
