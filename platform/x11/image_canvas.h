// The render platform of the X11 saver: the render thread draws into a client-side
// image (pixels in the window's own format), never into the X connection. It marks
// the bands of rows it changed, and the window thread sends those to the server
// 30 times a second (x11_display.h). So one thread alone talks to the X server, and
// a pixel costs a store, not a request.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/render_platform.h"

namespace scintle {

// Where each colour goes in a pixel of the image, read off the window's visual.
struct PixelFormat {
    int32_t bytesPerPixel = 4;  // 2 or 4
    uint32_t redMask = 0xFF0000, greenMask = 0x00FF00, blueMask = 0x0000FF;

    uint32_t Pixel(Colorref colour) const;
};

inline constexpr int32_t kBandRows = 16;

class ImageCanvas : public RenderPlatform {
public:
    // Draws into `pixels` (the image's memory, `stride` bytes a row), which stays the
    // caller's. Call only while the render thread is stopped.
    void Attach(uint8_t* pixels, int32_t width, int32_t height, int32_t stride,
                const PixelFormat& format);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    WindowHandle window() const;

    // For the window thread: takes the marks of the bands changed since the last call
    // and calls send(firstRow, endRow) for each run of them.
    template <typename Send>
    void TakeChangedRows(Send send);
    void MarkAllChanged();  // after an exposure: the server's copy is gone

    DeviceContext GetDC(WindowHandle window) override;
    int32_t ReleaseDC(WindowHandle window, DeviceContext dc) override;
    Colorref SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) override;
    BrushHandle CreateSolidBrush(Colorref colour) override;
    bool GetClientRect(WindowHandle window, Rect* rect) override;
    int32_t FillRect(DeviceContext dc, const Rect* rect, BrushHandle brush) override;
    bool DeleteObject(BrushHandle brush) override;
    void WillSetPixels(DeviceContext, const int32_t* xs, const int32_t* ys, int32_t count,
                       int32_t block) override {
        FetchPixelLines(pixels_, stride_, format_.bytesPerPixel, width_, height_, xs, ys, count,
                        block);
    }

private:
    void Store(int32_t x, int32_t y, uint32_t pixel) {
        uint8_t* at = pixels_ + static_cast<ptrdiff_t>(y) * stride_ + x * format_.bytesPerPixel;
        if (format_.bytesPerPixel == 4) *reinterpret_cast<uint32_t*>(at) = pixel;
        else *reinterpret_cast<uint16_t*>(at) = static_cast<uint16_t>(pixel);
    }
    // Out of line, so that the common visual's path stays short.
    [[gnu::noinline]] Colorref SetConvertedPixel(int32_t x, int32_t y, Colorref colour);
    // Release: the window thread that takes the mark sees the pixels stored before it.
    void MarkBand(int32_t y) { changed_[y / kBandRows].store(1, std::memory_order_release); }

    uint8_t* pixels_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    PixelFormat format_;
    bool rgb888_ = true;  // 8 bits a channel as red, green, blue: no masks to apply
    std::unique_ptr<std::atomic<uint8_t>[]> changed_;
    int32_t bands_ = 0;
};

template <typename Send>
void ImageCanvas::TakeChangedRows(Send send) {
    int32_t run = -1;
    for (int32_t band = 0; band <= bands_; ++band) {
        const bool changed =
            band < bands_ && changed_[band].exchange(0, std::memory_order_acquire) != 0;
        if (changed && run < 0) run = band;
        if (!changed && run >= 0) {
            const int32_t end = band * kBandRows < height_ ? band * kBandRows : height_;
            send(run * kBandRows, end);
            run = -1;
        }
    }
}

}  // namespace scintle
