// The browser's window: the engine's memory canvas (render/memory_canvas.h), drawn
// into by the picture cycle in a Worker, whose pixels go to the page as frames while
// a picture paints.
//
// The Worker is the render thread: _beginthread runs the body at once on the caller's
// thread and returns when it has returned. Sleep returns at once, as on the memory
// canvas, and adds up what it was asked: the Worker waits that between pictures,
// without blocking (web_saver.h).
//
// Every kFrameCheckPixels pixels set, the canvas reads the clock; once a frame's
// interval has passed since the last frame it hands the sink a copy of the whole
// canvas, as opaque RGBA bytes (red, green, blue, 255), top row first. The interval is
// kFrameInterval, or ten times what the last copy took where that is longer, so that
// copying never takes more than a tenth of the painting.
#pragma once

#include <cstdint>
#include <vector>

#include "render/memory_canvas.h"

namespace scintle {

inline constexpr int32_t kFrameCheckPixels = 4096;
inline constexpr double kFrameIntervalMs = 1000.0 / 30.0;

using MillisecondClock = double (*)();
// The frame: width * height * 4 bytes, valid during the call only.
using FrameSink = void (*)(const uint8_t* rgba, int32_t width, int32_t height);

class WebCanvas final : public MemoryCanvas {
public:
    // No frames while painting when `sink` is nullptr (the gallery's views).
    WebCanvas(int32_t width, int32_t height, MillisecondClock clock, FrameSink sink);

    Colorref SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) override;
    uintptr_t _beginthread(ThreadStart start, uint32_t stackSize, void* argument) override;
    void Sleep(uint32_t milliseconds) override;

    // The milliseconds Sleep was asked for since the count was last cleared; once they
    // pass `sleepAllowance`, each Sleep tells `overslept` (the saver stops the cycle,
    // so that the Worker waits the rest instead of the call spinning).
    int64_t slept = 0;
    int64_t sleepAllowance = INT64_MAX;
    void (*overslept)() = nullptr;

    // The canvas as opaque RGBA, made afresh; valid until the next call.
    const uint8_t* Rgba();
    // Hands the sink a frame now and starts the interval afresh.
    void PostFrame();

private:
    MillisecondClock clock_;
    FrameSink sink_;
    int32_t countdown_ = kFrameCheckPixels;
    double nextFrameAt_ = 0;
    std::vector<uint8_t> rgba_;
};

}  // namespace scintle
