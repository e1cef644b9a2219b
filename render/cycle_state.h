// The state of the render thread's picture cycle (picture_cycle.h), apart from the
// cycle itself so that the parts it calls (the pixel order, the painters) can read the
// client size and runningFlag without including the cycle.
//
// Two threads share this state without a lock: the window thread writes the client size and
// firstPicture before the render thread starts, and afterwards only clears runningFlag and
// sets windowShown. The render thread reads runningFlag afresh before every pixel it sets,
// every 100 ms slice of the delay and every kernel step (the lane kernels: every few steps of
// all their lanes), so it stops within one pixel's work per lane or one slice. Everything else
// is the render thread's alone.
#pragma once

#include <atomic>
#include <cstdint>

#include "settings/setting_masks.h"

namespace scintle {

class PixelShuffler;

struct RenderCycleState {
    std::atomic<int32_t> runningFlag{1};
    // What is drawn reaches the screen. A window that is not on the screen yet keeps
    // nothing drawn into it, so a front whose render thread starts before its window
    // shows clears this until it does; the thread's first drawing waits for it.
    std::atomic<int32_t> windowShown{1};
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

}  // namespace scintle
