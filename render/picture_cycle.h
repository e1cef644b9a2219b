// The render thread's picture cycle: choose a view, colours and a blanking method,
// wait the completion delay, blank, and paint every position of a fresh random
// order through the kernel of the view's family; then again, until runningFlag
// clears. Its state, shared with the window thread, is in cycle_state.h.
//
// PaintPicture hands the picture to a lane kernel (lane_painter.h) unless the plain
// scalar kernel is chosen (kernel_choice.h); both paint the same pixels. A picture
// whose order cannot be had (no memory) is not painted and not reported: the cycle
// tries again for an order every slice until it gets one or is stopped.
#pragma once

#include <cstdint>

#include "platform/render_platform.h"
#include "render/cycle_state.h"

namespace scintle {

inline constexpr uint32_t kDelaySliceMs = 100;

// Puts the cycle back to its start values, freeing any order (for tests and tools).
void ResetRenderCycle();

// The thread body: seeds this thread's generator with the time and runs the cycle.
void RenderThread(WindowHandle window);

// The cycle itself, on a generator already seeded: returns once runningFlag clears,
// having freed the order and released the device context.
void RunRenderCycle(WindowHandle window);

void StartNextPicture(WindowHandle window, DeviceContext dc);
void PaintPicture(DeviceContext dc);
void ChooseBlankingMethod();
void FastFade(WindowHandle window, DeviceContext dc);
void ScintleFade(DeviceContext dc);

}  // namespace scintle
