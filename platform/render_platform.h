// The platform operations of the render thread: drawing into the window, the thread
// itself and its time, and the beep of a failed allocation. Named and shaped as in
// Win32; the saver binds them to USER32, GDI32 and KERNEL32 (platform/win32/), the
// memory canvas (render/memory_canvas.h) and the tests' recording fake to memory.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

// A thread body as the C run-time's _beginthread runs it.
using ThreadStart = void (*)(void* argument);
inline constexpr uintptr_t kThreadStartFailed = ~uintptr_t{0};  // _beginthread's -1

class RenderPlatform {
public:
    virtual DeviceContext GetDC(WindowHandle window) = 0;
    virtual int32_t ReleaseDC(WindowHandle window, DeviceContext dc) = 0;
    virtual Colorref SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) = 0;
    virtual BrushHandle CreateSolidBrush(Colorref colour) = 0;
    virtual bool GetClientRect(WindowHandle window, Rect* rect) = 0;
    virtual int32_t FillRect(DeviceContext dc, const Rect* rect, BrushHandle brush) = 0;
    virtual bool DeleteObject(BrushHandle brush) = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    virtual bool Beep(uint32_t frequency, uint32_t duration) = 0;
    // The C run-time's thread start: a new thread with the default stack size runs
    // start(argument). Returns kThreadStartFailed when no thread could be started.
    virtual uintptr_t _beginthread(ThreadStart start, uint32_t stackSize, void* argument) = 0;

protected:
    ~RenderPlatform() = default;
};

// The binding in force (platform_bindings.cpp); set before the render cycle starts.
extern RenderPlatform* renderPlatform;

}  // namespace scintle
