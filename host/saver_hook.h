// SaverHook: the saver's own handling of the saver window's messages, between the
// host's class procedure and the host's default handling (DefaultSaverProc).
//
//   WM_CREATE      loads SaverSettings, then the default handling
//   WM_SIZE        records the client size and starts the render thread; result 0
//   WM_CLOSE       clears runningFlag, then the default handling (which may refuse)
//   WM_DESTROY     clears runningFlag, then the default handling
//   WM_ERASEBKGND  nothing (the background is never erased); result 0
//
// One render thread per window: a further WM_SIZE while a render thread runs is
// ignored whole (neither the size nor the thread changes), because the running
// thread reads the size and owns the order, the deck and the view. The saver window
// is never resized, so this only guards against a platform that sends the message
// twice.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/render_platform.h"

namespace scintle {

struct SaverHookState {
    std::atomic<int32_t> renderThreadActive{0};  // from the start until the thread body returns
};

extern SaverHookState saverHook;

void ResetSaverHook();

intptr_t SaverHook(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

// The body of the render thread as started by SaverHook: RenderThread for the window
// that `window` names, then marks the thread ended.
void RenderThreadMain(void* window);

}  // namespace scintle
