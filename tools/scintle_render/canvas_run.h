// Puts the engine into the state of a fresh process whose window is `canvas`.
#pragma once

#include "fractal/preset_deck.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/memory_canvas.h"
#include "render/picture_cycle.h"
#include "settings/saver_settings.h"

namespace scintle {

inline void PrepareCanvasRun(MemoryCanvas* canvas) {
    ResetSettings();
    ResetRenderCycle();
    ClearDeck();
    SetActiveScheme(kRainbow);
    srand(1);
    renderPlatform = canvas;
    renderCycle.clientWidth = canvas->width();
    renderCycle.clientHeight = canvas->height();
}

}  // namespace scintle
