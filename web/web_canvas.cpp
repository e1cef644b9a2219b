#include "web/web_canvas.h"

#include <cstddef>
#include <cstring>

namespace scintle {

WebCanvas::WebCanvas(int32_t width, int32_t height, MillisecondClock clock, FrameSink sink)
    : MemoryCanvas(width, height), clock_(clock), sink_(sink) {
    if (sink_) nextFrameAt_ = clock_() + kFrameIntervalMs;
}

Colorref WebCanvas::SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) {
    const Colorref result = MemoryCanvas::SetPixel(dc, x, y, colour);
    if (sink_ && --countdown_ == 0) {
        countdown_ = kFrameCheckPixels;
        if (clock_() >= nextFrameAt_) PostFrame();
    }
    return result;
}

uintptr_t WebCanvas::_beginthread(ThreadStart start, uint32_t, void* argument) {
    start(argument);
    return 1;
}

void WebCanvas::Sleep(uint32_t milliseconds) {
    slept += milliseconds;
    if (slept > sleepAllowance && overslept) overslept();
}

const uint8_t* WebCanvas::Rgba() {
    const std::vector<Colorref>& colours = pixels();
    rgba_.resize(colours.size() * 4);
    uint8_t* out = rgba_.data();
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // A COLORREF's bytes in memory are red, green, blue and 0 already.
    for (const Colorref c : colours) {
        const uint32_t opaque = c | 0xFF000000u;
        std::memcpy(out, &opaque, 4);
        out += 4;
    }
#else
    for (const Colorref c : colours) {  // 0x00BBGGRR
        out[0] = static_cast<uint8_t>(c);
        out[1] = static_cast<uint8_t>(c >> 8);
        out[2] = static_cast<uint8_t>(c >> 16);
        out[3] = 255;
        out += 4;
    }
#endif
    return rgba_.data();
}

void WebCanvas::PostFrame() {
    if (!sink_) return;
    const double start = clock_();
    sink_(Rgba(), width(), height());
    const double now = clock_();
    const double copying = now - start;
    nextFrameAt_ = now + (copying * 10 > kFrameIntervalMs ? copying * 10 : kFrameIntervalMs);
    countdown_ = kFrameCheckPixels;
}

}  // namespace scintle
