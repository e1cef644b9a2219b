#include "host/saver_window.h"

#include "host/close_gate.h"
#include "host/saver_hook.h"
#include "host/saver_host.h"
#include "platform/platform_values.h"
#include "render/cycle_state.h"
#include "resources/resource.h"
#include "settings/saver_settings.h"
#include "settings/settings_store.h"

namespace scintle {

namespace {

struct WindowShape {
    const char* title;
    uint32_t style;
    uint32_t exStyle;
    int32_t x, y, width, height;
};

WindowShape PreviewShape(WindowHandle parent) {
    Rect client = {0, 0, 0, 0};
    hostPlatform->GetClientRect(parent, &client);
    return {kPreviewTitle, kWsChild | kWsVisible | kWsClipChildren, 0, 0, 0, client.right,
            client.bottom};
}

// The primary screen, or with AllMonitors the virtual screen that spans them all; its
// origin is negative when a monitor lies left of or above the primary one. A virtual
// screen the platform cannot tell (no width or height) leaves the primary screen.
WindowShape FullScreenShape() {
    constexpr uint32_t kStyle = kWsPopup | kWsVisible | kWsClipSiblings | kWsClipChildren;
    WindowShape shape = {kFullScreenTitle, kStyle, kWsExTopmost, 0, 0, 0, 0};
    LoadAllMonitors();
    if (SaverSettings.AllMonitors) {
        shape.width = hostPlatform->GetSystemMetrics(kSmCxVirtualScreen);
        shape.height = hostPlatform->GetSystemMetrics(kSmCyVirtualScreen);
        if (shape.width > 0 && shape.height > 0) {
            shape.x = hostPlatform->GetSystemMetrics(kSmXVirtualScreen);
            shape.y = hostPlatform->GetSystemMetrics(kSmYVirtualScreen);
            return shape;
        }
    }
    shape.width = hostPlatform->GetSystemMetrics(kSmCxScreen);
    shape.height = hostPlatform->GetSystemMetrics(kSmCyScreen);
    return shape;
}

// Runs the thread's message loop; returns the quit message's parameter.
int32_t RunMessageLoop() {
    Message message = {};
    int32_t got;
    while ((got = hostPlatform->GetMessageA(&message, nullptr, 0, 0)) > 0) {
        hostPlatform->TranslateMessage(&message);
        hostPlatform->DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int32_t>(message.wParam) : -1;
}

void HidePointerInFullScreen() {
    if (!saverHost.previewMode) hostPlatform->SetCursor(nullptr);
}

void OnCreate(WindowHandle hwnd) {
    SaverHostState& h = saverHost;
    // The host never loads the input-method library itself; it detaches the window's
    // context only when the process has it already.
    h.imeModule = hostPlatform->GetModuleHandleA("IMM32.DLL");
    if (h.imeModule) {
        h.associateContextFn = reinterpret_cast<ImmAssociateContextFn>(
            hostPlatform->GetProcAddress(h.imeModule, "ImmAssociateContext"));
        if (h.associateContextFn) h.savedInputContext = h.associateContextFn(hwnd, nullptr);
    }
    hostPlatform->GetCursorPos(&h.savedCursorPos);
    HidePointerInFullScreen();
}

void OnDestroy(WindowHandle hwnd) {
    SaverHostState& h = saverHost;
    if (h.imeModule && h.associateContextFn && h.savedInputContext)
        h.associateContextFn(hwnd, h.savedInputContext);
    hostPlatform->PostQuitMessage(0);
}

// The preview hands help requests to the display settings that show it.
intptr_t OnPreviewHelp(WindowHandle hwnd, uint32_t message, intptr_t lParam) {
    WindowHandle parent = hostPlatform->GetParent(hwnd);
    if (parent && hostPlatform->IsWindow(parent))
        hostPlatform->PostMessageA(parent, message, reinterpret_cast<uintptr_t>(parent), lParam);
    return 1;
}

}  // namespace

int32_t RunSaverWindow(WindowHandle parent) {
    SaverHostState& h = saverHost;
    WindowClass wc = {};
    wc.style = kCsVredraw | kCsHredraw | kCsDblClks | kCsOwnDc;
    wc.windowProc = SaverWindowProc;
    wc.instance = h.hostInstance;
    wc.icon = hostPlatform->LoadIconA(h.hostInstance, IDI_SCINTLE);
    wc.background = hostPlatform->GetStockObject(kBlackBrush);
    wc.className = kSaverClassName;

    WindowShape shape;
    if (parent) {
        shape = PreviewShape(parent);
        h.previewMode = 1;
    } else {
        shape = FullScreenShape();
        WindowHandle running = hostPlatform->FindWindowA(kSaverClassName, kFullScreenTitle);
        if (running && hostPlatform->IsWindow(running)) {
            hostPlatform->SetForegroundWindow(running);
            return 0;
        }
        LoadPasswordVerifier();
    }

    if (hostPlatform->RegisterClassA(&wc) != 0) {
        // The first WM_SIZE starts the render thread before the new window is shown, and
        // a window not yet on the screen keeps nothing drawn into it: the thread's first
        // drawing waits until CreateWindowExA has shown the (visible) window.
        renderCycle.windowShown.store(0, std::memory_order_release);
        h.saverWindow = hostPlatform->CreateWindowExA(shape.exStyle, kSaverClassName, shape.title,
                                                      shape.style, shape.x, shape.y,
                                                      shape.width, shape.height, parent, nullptr,
                                                      h.hostInstance, nullptr);
        renderCycle.windowShown.store(1, std::memory_order_release);
    }
    int32_t exitCode = -1;  // no window, no quit message
    if (h.saverWindow) {
        if (!h.previewMode) hostPlatform->SetForegroundWindow(h.saverWindow);
        hostPlatform->SetTimer(h.saverWindow, kWakeTimerId, kWakeTimerMs, nullptr);
        exitCode = RunMessageLoop();
    }
    UnloadPasswordVerifier();
    return exitCode;
}

intptr_t SaverWindowProc(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const bool closing = closeGate.closeAllowed != 0;
    switch (message) {
        case kWmCreate:
            OnCreate(hwnd);
            break;
        case kWmDestroy:
            OnDestroy(hwnd);
            break;
        case kWmSettext:
            return 0;  // the title never changes
        case kWmPaint:
            if (closing) return hostPlatform->DefWindowProcA(hwnd, message, wParam, lParam);
            HidePointerInFullScreen();
            break;
        case kWmHelp:
        case kWmContextMenu:
            if (saverHost.previewMode) return OnPreviewHelp(hwnd, message, lParam);
            break;
        case kWmKeyDown:
        case kWmSysKeyDown:
        case kWmMouseMove:
        case kWmLButtonDown:
        case kWmRButtonDown:
        case kWmMButtonDown:
            if (closing) return hostPlatform->DefWindowProcA(hwnd, message, wParam, lParam);
            break;
        case kWmSysCommand:
            // Another saver, or a switch to another window, is not started from here.
            // wParam is compared whole.
            if (!saverHost.previewMode &&
                (wParam == kScScreenSave || wParam == kScNextWindow || wParam == kScPrevWindow))
                return 0;
            break;
        case kWmTimer:
            if (closing) return 0;
            hostPlatform->Sleep(0);
            break;
    }
    return SaverHook(hwnd, message, wParam, lParam);
}

}  // namespace scintle
