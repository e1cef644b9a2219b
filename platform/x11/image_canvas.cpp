#include "platform/x11/image_canvas.h"

#include <algorithm>

#include "platform/colour_brush.h"

namespace scintle {

namespace {

// An 8-bit channel scaled into the bits of `mask`.
uint32_t Channel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0, bits = 0;
    while (!(mask >> shift & 1)) ++shift;
    while (shift + bits < 32 && (mask >> (shift + bits) & 1)) ++bits;
    const uint32_t scaled = bits >= 8 ? value << (bits - 8) : value >> (8 - bits);
    return scaled << shift & mask;
}

}  // namespace

uint32_t PixelFormat::Pixel(Colorref colour) const {
    return Channel(colour & 0xFF, redMask) | Channel(colour >> 8 & 0xFF, greenMask) |
           Channel(colour >> 16 & 0xFF, blueMask);
}

void ImageCanvas::Attach(uint8_t* pixels, int32_t width, int32_t height, int32_t stride,
                         const PixelFormat& format) {
    pixels_ = pixels;
    width_ = width;
    height_ = height;
    stride_ = stride;
    format_ = format;
    rgb888_ = format.bytesPerPixel == 4 && format.redMask == 0xFF0000 &&
              format.greenMask == 0xFF00 && format.blueMask == 0xFF;
    bands_ = (height + kBandRows - 1) / kBandRows;
    changed_.reset(new std::atomic<uint8_t>[static_cast<size_t>(bands_)]);
    MarkAllChanged();
}

void ImageCanvas::MarkAllChanged() {
    for (int32_t band = 0; band < bands_; ++band) changed_[band].store(1);
}

WindowHandle ImageCanvas::window() const {
    return reinterpret_cast<WindowHandle>(const_cast<ImageCanvas*>(this));
}

DeviceContext ImageCanvas::GetDC(WindowHandle) {
    return reinterpret_cast<DeviceContext>(this);
}

int32_t ImageCanvas::ReleaseDC(WindowHandle, DeviceContext) { return 1; }

Colorref ImageCanvas::SetPixel(DeviceContext, int32_t x, int32_t y, Colorref colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
    if (!rgb888_) return SetConvertedPixel(x, y, colour);
    // The common visual, the short way: 0x00BBGGRR turned round is 0xRRGGBB00.
    uint8_t* at = pixels_ + static_cast<ptrdiff_t>(y) * stride_ + x * 4;
    *reinterpret_cast<uint32_t*>(at) = __builtin_bswap32(colour) >> 8;
    MarkBand(y);
    return colour;
}

Colorref ImageCanvas::SetConvertedPixel(int32_t x, int32_t y, Colorref colour) {
    Store(x, y, format_.Pixel(colour));
    MarkBand(y);
    return colour;
}

BrushHandle ImageCanvas::CreateSolidBrush(Colorref colour) { return ColourBrush(colour); }

bool ImageCanvas::GetClientRect(WindowHandle, Rect* rect) {
    *rect = {0, 0, width_, height_};
    return true;
}

int32_t ImageCanvas::FillRect(DeviceContext, const Rect* rect, BrushHandle brush) {
    const uint32_t pixel = format_.Pixel(BrushColour(brush));
    const Rect area = ClipToCanvas(*rect, width_, height_);
    const int32_t count = area.right - area.left;
    for (int32_t y = area.top; y < area.bottom && count > 0; ++y) {
        uint8_t* row = pixels_ + static_cast<ptrdiff_t>(y) * stride_;
        if (format_.bytesPerPixel == 4)
            std::fill_n(reinterpret_cast<uint32_t*>(row) + area.left, count, pixel);
        else
            std::fill_n(reinterpret_cast<uint16_t*>(row) + area.left, count,
                        static_cast<uint16_t>(pixel));
        MarkBand(y);
    }
    return 1;
}

bool ImageCanvas::DeleteObject(BrushHandle) { return true; }

}  // namespace scintle
