#include "render/engine_reset.h"

#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "fractal/preset_deck.h"
#include "fractal/random.h"
#include "render/colour_schemes.h"
#include "render/picture_cycle.h"
#include "render/render_thread.h"
#include "settings/saver_settings.h"

namespace scintle {

void ResetEngine() {
    ResetSettings();
    ResetRenderCycle();
    renderThread.active.store(0);
    renderThread.seeded = false;
    renderThread.generator = 0;
    ClearDeck();
    ActiveView = kStartView;
    kernelChoice = KernelChoiceState{};
    colourSchemes = ColourSchemeState{};
    srand(1);
}

void ResetEngine(MemoryCanvas* canvas) {
    ResetEngine();
    renderPlatform = canvas;
    kernelPlatform = canvas;
    renderCycle.clientWidth = canvas->width();
    renderCycle.clientHeight = canvas->height();
}

}  // namespace scintle
