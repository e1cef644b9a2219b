#include "render/memory_canvas.h"

#include <algorithm>

#include "platform/colour_brush.h"

namespace scintle {

MemoryCanvas::MemoryCanvas(int32_t width, int32_t height)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * static_cast<size_t>(height), kBlack) {}

WindowHandle MemoryCanvas::window() const {
    return reinterpret_cast<WindowHandle>(const_cast<MemoryCanvas*>(this));
}

DeviceContext MemoryCanvas::dc() const {
    return reinterpret_cast<DeviceContext>(const_cast<MemoryCanvas*>(this));
}

DeviceContext MemoryCanvas::GetDC(WindowHandle) { return dc(); }

int32_t MemoryCanvas::ReleaseDC(WindowHandle, DeviceContext) { return 1; }

Colorref MemoryCanvas::SetPixel(DeviceContext, int32_t x, int32_t y, Colorref colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
    pixels_[Offset(x, y)] = colour;
    return colour;
}

BrushHandle MemoryCanvas::CreateSolidBrush(Colorref colour) { return ColourBrush(colour); }

bool MemoryCanvas::GetClientRect(WindowHandle, Rect* rect) {
    *rect = {0, 0, width_, height_};
    return true;
}

int32_t MemoryCanvas::FillRect(DeviceContext, const Rect* rect, BrushHandle brush) {
    const Rect area = ClipToCanvas(*rect, width_, height_);
    for (int32_t y = area.top; y < area.bottom && area.left < area.right; ++y)
        std::fill(pixels_.begin() + Offset(area.left, y), pixels_.begin() + Offset(area.right, y),
                  BrushColour(brush));
    return 1;
}

bool MemoryCanvas::DeleteObject(BrushHandle) { return true; }

void MemoryCanvas::WillSetPixels(DeviceContext, const int32_t* xs, const int32_t* ys,
                                 int32_t count, int32_t block) {
    FetchPixelLines(reinterpret_cast<const uint8_t*>(pixels_.data()),
                    width_ * static_cast<int32_t>(sizeof(Colorref)), sizeof(Colorref), width_,
                    height_, xs, ys, count, block);
}

void MemoryCanvas::Sleep(uint32_t) {}

bool MemoryCanvas::Beep(uint32_t, uint32_t) { return true; }

uintptr_t MemoryCanvas::_beginthread(ThreadStart, uint32_t, void*) { return kThreadStartFailed; }

}  // namespace scintle
