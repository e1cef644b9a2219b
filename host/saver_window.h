// The saver window: one window per run, full screen (a topmost pop-up over the
// primary screen, or over every monitor with AllMonitors) or as a preview (a child
// filling the client area of a given window).
//
// Three procedures are chained: SaverWindowProc (the class procedure: input method,
// pointer, system commands, help in preview) hands what it does not consume to
// SaverHook (saver_hook.h), which hands what it does not consume to DefaultSaverProc
// (default_saver_proc.h: input becomes a close request; a close request goes through
// only when the password gate allows it), which hands the rest to DefWindowProcA.
// Each returns the next one's result unchanged.
//
// Everything here runs on the window thread and reaches the platform only through
// hostPlatform. The state of the run is in saver_host.h.
#pragma once

#include <cstdint>

#include "platform/host_platform.h"

namespace scintle {

inline constexpr char kSaverClassName[] = "WindowsScreenSaverClass";
inline constexpr char kFullScreenTitle[] = "Screen Saver";
inline constexpr char kPreviewTitle[] = "Preview";
// Wakes the window thread regularly: some platforms (Wine) show what another thread
// drew into a window only when the window's own thread runs its message loop.
inline constexpr uintptr_t kWakeTimerId = 1;
inline constexpr uint32_t kWakeTimerMs = 50;


// Runs the saver window for `parent` (null: full screen) until it is destroyed.
// Returns the exit code of the run.
int32_t RunSaverWindow(WindowHandle parent);

intptr_t SaverWindowProc(WindowHandle hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace scintle
