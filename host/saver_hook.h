// SaverHook: the saver's own handling of the saver window's messages, between the
// host's class procedure and the host's default handling (DefaultSaverProc).
//
//   WM_CREATE      loads SaverSettings, then the default handling
//   WM_SIZE        records the client size and starts the render thread; result 0
//   WM_CLOSE       clears runningFlag, then the default handling (which may refuse)
//   WM_DESTROY     clears runningFlag, then the default handling
//   WM_ERASEBKGND  nothing (the background is never erased); result 0
//
// One render thread per window (render/render_thread.h): a further WM_SIZE while a render
// thread runs is ignored whole (neither the size nor the thread changes), because the running
// thread reads the size and owns the order, the deck and the view. The saver window is never
// resized, so this only guards against a platform that sends the message twice.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

intptr_t SaverHook(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace scintle
