// One pixel of the current picture, computed and painted: the kernel of ActiveView's
// family (fractal/escape_kernels.h) iterates it in the render cycle's window, and the
// outcome's colour under the active scheme is set at once. A pixel whose iteration
// was stopped (runningFlag at 0) is left unpainted.
#pragma once

#include <cstdint>

#include "fractal/escape_kernels.h"
#include "platform/render_platform.h"

namespace scintle {

// The render cycle's client area and running flag, as the kernels take them.
KernelFrame CycleFrame();

// The colour index of an outcome: the escape step, or the interior index.
int32_t OutcomeIndex(PixelOutcome outcome);

// The colour of an outcome under the active scheme: escaped Dragon points are black.
Colorref OutcomeColour(int32_t family, PixelOutcome outcome);

void MandelbrotPixel(DeviceContext dc, int32_t x, int32_t y);
void JuliaPixel(DeviceContext dc, int32_t x, int32_t y);
void DragonPixel(DeviceContext dc, int32_t x, int32_t y);
void PhoenixPixel(DeviceContext dc, int32_t x, int32_t y);
// The pixel with the kernel of ActiveView's family; any family value but Julia, Dragon
// and Phoenix is drawn as Mandelbrot.
void RenderPixel(DeviceContext dc, int32_t x, int32_t y);

}  // namespace scintle
