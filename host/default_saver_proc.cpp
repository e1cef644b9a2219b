#include "host/default_saver_proc.h"

#include "host/close_gate.h"
#include "host/saver_host.h"
#include "platform/platform_values.h"

namespace scintle {

namespace {

bool IsPress(uint32_t message) {
    return message == kWmKeyDown || message == kWmSysKeyDown || message == kWmLButtonDown ||
           message == kWmRButtonDown || message == kWmMButtonDown;
}

// The pointer's own position counts, not the message's: a mouse-move message with
// other coordinates while the pointer stays put does not end the saver. Small moves
// add up, since the reference does not follow them.
void TestMouseMovement(WindowHandle hwnd) {
    Point now = saverHost.savedCursorPos;  // an unreadable position counts as no move
    hostPlatform->GetCursorPos(&now);
    if (PointerDrift(saverHost.savedCursorPos, now) > mouseMoveThreshold) {
        hostPlatform->PostMessageA(hwnd, kWmClose, 0, 0);
        saverHost.savedCursorPos = now;
    }
}

intptr_t OnCloseRequest(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (ConfirmClose(hwnd)) return hostPlatform->DefWindowProcA(hwnd, message, wParam, lParam);
    hostPlatform->GetCursorPos(&saverHost.savedCursorPos);
    return 0;
}

}  // namespace

intptr_t DefaultSaverProc(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    // In preview nothing ends the saver but its parent, and WM_CLOSE closes at once.
    if (saverHost.previewMode || closeGate.closeAllowed)
        return hostPlatform->DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
        case kWmClose:
            return OnCloseRequest(hwnd, message, wParam, lParam);
        case kWmApp:
            // Sent by ConfirmClose while verifyingPassword is set: the prompt runs here.
            return closeGate.verifyPasswordFn ? closeGate.verifyPasswordFn(hwnd) : 1;
    }
    // While the prompt is up, input goes to the default handling only.
    if (!closeGate.verifyingPassword) {
        switch (message) {
            case kWmSetCursor:
                hostPlatform->SetCursor(nullptr);
                return 1;
            case kWmShowWindow:
                if (wParam) hostPlatform->SetCursor(nullptr);
                break;
            case kWmMouseMove:
                TestMouseMovement(hwnd);
                break;
            default:
                if (IsPress(message)) hostPlatform->PostMessageA(hwnd, kWmClose, 0, 0);
                break;
        }
    }
    return hostPlatform->DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace scintle
