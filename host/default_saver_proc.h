// DefaultSaverProc: the host's default handling of the saver window's messages, last
// in the chain before DefWindowProcA (saver_window.h tells the chain). In full screen,
// a key, a mouse button or a pointer drift beyond mouseMoveThreshold
// (platform/pointer_drift.h) becomes a close request, and a close request goes
// through only when the password gate (close_gate.h) allows it; in preview nothing
// ends the saver but its parent.
#pragma once

#include <cstdint>

#include "platform/host_platform.h"
#include "platform/pointer_drift.h"

namespace scintle {

intptr_t DefaultSaverProc(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace scintle
