// One pixel of the current picture, computed and painted: the one-pixel kernel of
// ActiveView's family (fractal/family_table.h) iterates it in the render cycle's
// window, and the outcome's colour under the active scheme is set at once. A pixel
// whose iteration was stopped (runningFlag at 0) is left unpainted.
#pragma once

#include <cstdint>

#include "fractal/escape_kernels.h"
#include "platform/render_platform.h"

namespace scintle {

// The render cycle's client area and running flag, as the kernels take them.
KernelFrame CycleFrame();

// The colour index of an outcome: the escape step, or the interior index.
int32_t OutcomeIndex(PixelOutcome outcome);

// The colour of an outcome under the active scheme; escaped points of a family whose
// picture is the interior are black.
Colorref OutcomeColour(int32_t family, PixelOutcome outcome);

// The pixel with the kernel of ActiveView's family; any other value is drawn as the
// fallback family.
void RenderPixel(DeviceContext dc, int32_t x, int32_t y);

}  // namespace scintle
