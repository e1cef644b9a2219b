#include "host/saver_hook.h"

#include "host/default_saver_proc.h"
#include "platform/platform_values.h"
#include "render/picture_cycle.h"
#include "render/render_thread.h"
#include "settings/settings_store.h"

namespace scintle {

namespace {

void OnSize(WindowHandle hwnd, intptr_t lParam) {
    if (renderThread.active.load() != 0) return;
    RenderCycleState& c = renderCycle;
    const auto size = static_cast<uint32_t>(lParam);
    c.clientWidth = static_cast<int32_t>(size & 0xFFFF);
    c.clientHeight = static_cast<int32_t>(size >> 16 & 0xFFFF);
    if (c.clientWidth == 0 || c.clientHeight == 0) return;
    StartRenderThread(hwnd);
}

}  // namespace

intptr_t SaverHook(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case kWmCreate:
            LoadSettings();
            break;
        case kWmSize:
            OnSize(hwnd, lParam);
            return 0;
        case kWmClose:
            // Before the password gate decides, on purpose: behind a refused password the
            // picture stays frozen where drawing stopped, and no prompt races the drawing.
        case kWmDestroy:
            StopRenderThread();
            break;
        case kWmEraseBkgnd:
            return 0;
    }
    return DefaultSaverProc(hwnd, message, wParam, lParam);
}

}  // namespace scintle
