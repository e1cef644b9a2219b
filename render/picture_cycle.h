// The render thread's picture cycle: choose a view, colours and a blanking method,
// wait the completion delay, blank, and paint every position of a fresh random
// order through the kernel of the view's family; then again, until runningFlag
// clears.
//
// Two threads share this state without a lock: the window thread writes the client
// size and firstPicture before the render thread starts, and afterwards only clears
// runningFlag. The render thread reads runningFlag afresh before every pixel it sets,
// every 100 ms slice of the delay and every kernel step (the lane kernels: every few
// steps of all their lanes), so it stops within one pixel's work per lane or one
// slice. Everything else is the render thread's alone.
//
// PaintPicture hands the picture to a lane kernel (lane_painter.h) unless the plain
// scalar kernel is chosen (kernel_choice.h); both paint the same pixels. A picture
// whose order cannot be had (no memory) is not painted and not reported: the cycle
// tries again for an order every slice until it gets one or is stopped.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/render_platform.h"
#include "settings/setting_masks.h"

namespace scintle {

class PixelShuffler;

inline constexpr uint32_t kDelaySliceMs = 100;

struct RenderCycleState {
    std::atomic<int32_t> runningFlag{1};
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t firstPicture = 1;     // the coming change of picture is the thread's first
    int32_t pictureComplete = 1;  // the current picture has been painted to its end
    uint32_t activeBlanking = kFastFade;  // one BlankingMethod bit
    PixelShuffler* currentShuffler = nullptr;

    // Told each time a picture has been painted to its last position. The saver
    // leaves it empty; the command-line renderer saves its pictures here.
    void (*pictureDone)(void* context) = nullptr;
    void* pictureDoneContext = nullptr;
};

extern RenderCycleState renderCycle;

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
