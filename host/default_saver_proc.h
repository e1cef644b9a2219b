// DefaultSaverProc: the host's default handling of the saver window's messages, last
// in the chain before DefWindowProcA (saver_window.h tells the chain). In full screen,
// a key, a mouse button or a pointer drift beyond mouseMoveThreshold becomes a close
// request, and a close request goes through only when the password gate
// (close_gate.h) allows it; in preview nothing ends the saver but its parent.
#pragma once

#include <cstdint>

#include "platform/host_platform.h"

namespace scintle {

inline constexpr uint32_t mouseMoveThreshold = 4;

intptr_t DefaultSaverProc(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Sum of the absolute coordinate differences, as an unsigned 32-bit value.
uint32_t PointerDrift(Point from, Point to);

}  // namespace scintle
