// The render thread's start and stop, one sequence for every front: the Windows saver
// starts it on its window's first WM_SIZE and stops it on WM_CLOSE and WM_DESTROY
// without waiting; the X11 saver also waits for it, to start a new one at a new size.
//
// The thread runs the picture cycle (picture_cycle.h) for one window until runningFlag
// clears. Its generator starts at the time, or where SeedRenderThread or the previous
// render thread left it, so a front that restarts the cycle carries its random
// sequence on.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

struct RenderThreadState {
    std::atomic<int32_t> active{0};  // from the start until the thread body has returned
    bool seeded = false;             // the next thread's generator starts at `generator`
    uint32_t generator = 0;
};

extern RenderThreadState renderThread;

// Starts the cycle for `window` on a thread of its own, at the client size that
// renderCycle holds, from a new first picture. False, starting nothing, while a render
// thread is active or when the platform cannot start one.
bool StartRenderThread(WindowHandle window);

// Asks the render thread to stop: it does within one pixel's work per lane or one
// 100 ms slice. Returns at once.
void StopRenderThread();

// Waits until the render thread's body has returned, then readies the cycle to run
// again. Call after StopRenderThread.
void WaitForRenderThread();

// The next render thread's generator starts at `seed` rather than the time.
void SeedRenderThread(uint32_t seed);

// The thread body that StartRenderThread hands the platform, for `window`.
void RenderThreadBody(void* window);

}  // namespace scintle
