// The escape-time kernels as a plain loop over one pixel at a time: map the pixel,
// iterate until it escapes or reaches the cap (testing runningFlag before every
// step), look up the colour and set the pixel; then the next position of the order.
// Every step waits for the one before. The benchmark's baseline for the engine's
// lane kernels, which paint the same pixels.
#pragma once

#include <cstdint>

#include "platform/render_platform.h"

namespace scintle {

class PixelShuffler;

struct PlainPainting {
    bool complete;  // every position painted (false: runningFlag cleared)
    int64_t steps;  // kernel steps iterated
};

// Paints `order` (one pixel per position, or 2x2 blocks for an order of step 2) with
// ActiveView, as PaintPicture does with the scalar kernel.
PlainPainting PaintPlainPicture(DeviceContext dc, PixelShuffler* order);

// Sets every position of `order` to one grey, with no kernel at all, taking the
// positions in batches as the lane kernels do: what drawing the order and writing
// the window cost by themselves.
void PaintWithoutKernel(DeviceContext dc, PixelShuffler* order);

}  // namespace scintle
