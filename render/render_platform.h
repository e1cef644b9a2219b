// The platform operations of the render thread, the kernels and the deck, named and
// shaped as in Win32. The saver binds them to USER32/GDI32/KERNEL32; the memory canvas
// (memory_canvas.h) and the tests' recording fake bind them to memory.
//
// The engine never includes a Win32 header: handles are opaque pointers here and the
// Windows binding casts them to HWND, HDC and HBRUSH.
#pragma once

#include <cstdint>

namespace scintle {

using WindowHandle = struct WindowTag*;         // HWND
using DeviceContext = struct DeviceContextTag*;  // HDC
using BrushHandle = struct BrushTag*;            // HBRUSH
using Colorref = uint32_t;                       // 0x00BBGGRR

inline constexpr Colorref kBlack = 0;

constexpr Colorref Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | green << 8 | blue << 16;
}

// A thread body as the C run-time's _beginthread runs it.
using ThreadStart = void (*)(void* argument);
inline constexpr uintptr_t kThreadStartFailed = ~uintptr_t{0};  // _beginthread's -1

struct Rect {  // laid out as RECT
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

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

// The binding in force; set before the render cycle starts.
extern RenderPlatform* renderPlatform;

}  // namespace scintle
