// One catalogue view painted as the saver paints a picture, every pixel a position of
// a full-resolution order: what scintle-render view writes, and what the browser's
// gallery shows and saves, pixel for pixel.
#pragma once

#include <cstdint>

#include "fractal/fractal_preset.h"
#include "fractal/kernel_choice.h"
#include "render/memory_canvas.h"

namespace scintle {

struct ViewPicture {
    const CatalogueRow* row = nullptr;
    int32_t family = 0;  // a FractalFamily
    uint32_t scheme = 0;  // one ColourScheme bit
    double bailout = 4.0;
    bool flip = false;  // as the deck flips a view of its family (fractal/preset_deck.h)
    KernelKind kernel = KernelKind::kAuto;
};

// Puts the engine back to its start (engine_reset.h) with `canvas` bound, and paints
// the view into it; the engine is left reset but for the canvas's binding.
void PaintView(MemoryCanvas* canvas, const ViewPicture& view);

}  // namespace scintle
