// The render thread's drawing into the window, named and shaped as in Win32; the
// saver binds it to USER32 and GDI32 (platform/win32/), the X11 saver to a client-side
// image (platform/x11/), the memory canvas (render/memory_canvas.h) and the tests'
// recording fake to memory. The thread's start, pauses and beep are the kernel's
// (kernel_platform.h).
#pragma once

#include <cstddef>
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

    // Not a Win32 operation but a hint: the pixels at these positions (each the top-left
    // corner of a block `block` pixels a side) are about to be set, so a platform that
    // keeps its pixels in memory may fetch them meanwhile, while the kernels work. A
    // window of GDI's does nothing with it.
    virtual void WillSetPixels(DeviceContext, const int32_t* /*xs*/, const int32_t* /*ys*/,
                               int32_t /*count*/, int32_t /*block*/) {}

protected:
    ~RenderPlatform() = default;
};

// WillSetPixels for pixels in memory, `stride` bytes a row from `pixels`, `width` x
// `height` of them: asks for the cache line of each block's rows, for writing. Blocks
// outside are left alone.
inline void FetchPixelLines(const uint8_t* pixels, int32_t stride, int32_t bytesPerPixel,
                            int32_t width, int32_t height, const int32_t* xs, const int32_t* ys,
                            int32_t count, int32_t block) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t x = xs[i], y = ys[i];
        if (x < 0 || y < 0 || x >= width || y > height - block) continue;
        const uint8_t* at = pixels + static_cast<ptrdiff_t>(y) * stride + x * bytesPerPixel;
        for (int32_t row = 0; row < block; ++row) __builtin_prefetch(at + row * stride, 1);
    }
}

// The binding in force (platform_bindings.cpp); set before the render cycle starts.
extern RenderPlatform* renderPlatform;

}  // namespace scintle
