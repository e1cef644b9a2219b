#include "render/render_thread.h"

#include "fractal/random.h"
#include "platform/kernel_platform.h"
#include "render/picture_cycle.h"

namespace scintle {

RenderThreadState renderThread;

bool StartRenderThread(WindowHandle window) {
    RenderThreadState& t = renderThread;
    if (t.active.load(std::memory_order_acquire) != 0) return false;
    renderCycle.firstPicture = 1;
    renderCycle.pictureComplete = 1;
    t.active.store(1);
    if (kernelPlatform->_beginthread(RenderThreadBody, 0, window) != kThreadStartFailed)
        return true;
    t.active.store(0);  // no thread, no pictures; the window goes on
    return false;
}

void StopRenderThread() { renderCycle.runningFlag.store(0); }

void WaitForRenderThread() {
    // The body stops within a pixel or a slice: a millisecond at a time is plenty.
    while (renderThread.active.load(std::memory_order_acquire) != 0) kernelPlatform->Sleep(1);
    renderCycle.runningFlag.store(1);
}

void SeedRenderThread(uint32_t seed) {
    renderThread.seeded = true;
    renderThread.generator = seed;
}

void RenderThreadBody(void* window) {
    RenderThreadState& t = renderThread;
    const auto hwnd = static_cast<WindowHandle>(window);
    if (t.seeded) {
        srand(t.generator);
        RunRenderCycle(hwnd);
    } else {
        RenderThread(hwnd);
    }
    t.generator = randomState;
    t.seeded = true;
    t.active.store(0, std::memory_order_release);
}

}  // namespace scintle
