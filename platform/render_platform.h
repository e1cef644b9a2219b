// The render thread's drawing into the window, named and shaped as in Win32; the
// saver binds it to USER32 and GDI32 (platform/win32/), the X11 saver to a client-side
// image (platform/x11/), the memory canvas (render/memory_canvas.h) and the tests'
// recording fake to memory. The thread's start, pauses and beep are the kernel's
// (kernel_platform.h).
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

class RenderPlatform {
public:
    virtual DeviceContext GetDC(WindowHandle window) = 0;
    virtual int32_t ReleaseDC(WindowHandle window, DeviceContext dc) = 0;
    virtual Colorref SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) = 0;
    virtual BrushHandle CreateSolidBrush(Colorref colour) = 0;
    virtual bool GetClientRect(WindowHandle window, Rect* rect) = 0;
    virtual int32_t FillRect(DeviceContext dc, const Rect* rect, BrushHandle brush) = 0;
    virtual bool DeleteObject(BrushHandle brush) = 0;

protected:
    ~RenderPlatform() = default;
};

// The binding in force (platform_bindings.cpp); set before the render cycle starts.
extern RenderPlatform* renderPlatform;

}  // namespace scintle
