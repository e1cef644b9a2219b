#include "host/saver_hook.h"

#include "host/saver_window.h"
#include "platform/platform_values.h"
#include "render/picture_cycle.h"
#include "settings/settings_store.h"

namespace scintle {

SaverHookState saverHook;

namespace {

void OnSize(WindowHandle hwnd, intptr_t lParam) {
    if (saverHook.renderThreadActive.load() != 0) return;
    RenderCycleState& c = renderCycle;
    const auto size = static_cast<uint32_t>(lParam);
    c.clientWidth = static_cast<int32_t>(size & 0xFFFF);
    c.clientHeight = static_cast<int32_t>(size >> 16 & 0xFFFF);
    if (c.clientWidth == 0 || c.clientHeight == 0) return;
    c.firstPicture = 1;
    saverHook.renderThreadActive.store(1);
    if (renderPlatform->_beginthread(RenderThreadMain, 0, hwnd) == kThreadStartFailed)
        saverHook.renderThreadActive.store(0);  // no thread, no pictures; the window goes on
}

}  // namespace

void ResetSaverHook() { saverHook.renderThreadActive.store(0); }

void RenderThreadMain(void* window) {
    RenderThread(static_cast<WindowHandle>(window));
    saverHook.renderThreadActive.store(0);
}

intptr_t SaverHook(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case kWmCreate:
            LoadSettings();
            break;
        case kWmSize:
            OnSize(hwnd, lParam);
            return 0;
        case kWmClose:
        case kWmDestroy:
            renderCycle.runningFlag.store(0);
            break;
        case kWmEraseBkgnd:
            return 0;
    }
    return DefaultSaverProc(hwnd, message, wParam, lParam);
}

}  // namespace scintle
