// A window in memory: the render platform's drawing calls land in a pixel buffer.
//
// The command-line renderer, the tests and the benchmarks run the real picture cycle
// on it. Drawing outside the canvas is clipped, as on a window. It answers the
// kernel's calls too, at once: Sleep returns, so a cycle on the canvas does not wait
// its completion delays, and no thread is started (the cycle runs on the caller's).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/kernel_platform.h"
#include "platform/render_platform.h"

namespace scintle {

class MemoryCanvas : public RenderPlatform, public KernelPlatform {
public:
    MemoryCanvas(int32_t width, int32_t height);  // starts black

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    Colorref Pixel(int32_t x, int32_t y) const { return pixels_[Offset(x, y)]; }
    const std::vector<Colorref>& pixels() const { return pixels_; }

    // The handles this canvas hands out for its window and device context.
    WindowHandle window() const;
    DeviceContext dc() const;

    DeviceContext GetDC(WindowHandle window) override;
    int32_t ReleaseDC(WindowHandle window, DeviceContext dc) override;
    Colorref SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) override;
    BrushHandle CreateSolidBrush(Colorref colour) override;
    bool GetClientRect(WindowHandle window, Rect* rect) override;
    int32_t FillRect(DeviceContext dc, const Rect* rect, BrushHandle brush) override;
    bool DeleteObject(BrushHandle brush) override;
    void WillSetPixels(DeviceContext dc, const int32_t* xs, const int32_t* ys, int32_t count,
                       int32_t block) override;
    void Sleep(uint32_t milliseconds) override;
    bool Beep(uint32_t frequency, uint32_t duration) override;
    // Always fails.
    uintptr_t _beginthread(ThreadStart start, uint32_t stackSize, void* argument) override;

private:
    size_t Offset(int32_t x, int32_t y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int32_t width_;
    int32_t height_;
    std::vector<Colorref> pixels_;
};

}  // namespace scintle
