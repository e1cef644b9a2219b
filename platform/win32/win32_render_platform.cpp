// The render thread's drawing on Win32: GDI into the window's own device context.
#include <windows.h>

#include "platform/win32/win32_bindings.h"

namespace scintle {

namespace {

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
HDC Hdc(DeviceContext dc) { return reinterpret_cast<HDC>(dc); }

class RenderBinding final : public RenderPlatform {
public:
    DeviceContext GetDC(WindowHandle window) override {
        return reinterpret_cast<DeviceContext>(::GetDC(Hwnd(window)));
    }
    int32_t ReleaseDC(WindowHandle window, DeviceContext dc) override {
        return ::ReleaseDC(Hwnd(window), Hdc(dc));
    }
    Colorref SetPixel(DeviceContext dc, int32_t x, int32_t y, Colorref colour) override {
        return ::SetPixel(Hdc(dc), x, y, colour);
    }
    BrushHandle CreateSolidBrush(Colorref colour) override {
        return reinterpret_cast<BrushHandle>(::CreateSolidBrush(colour));
    }
    bool GetClientRect(WindowHandle window, Rect* rect) override {
        return ::GetClientRect(Hwnd(window), reinterpret_cast<RECT*>(rect)) != 0;
    }
    int32_t FillRect(DeviceContext dc, const Rect* rect, BrushHandle brush) override {
        return ::FillRect(Hdc(dc), reinterpret_cast<const RECT*>(rect),
                          reinterpret_cast<HBRUSH>(brush));
    }
    bool DeleteObject(BrushHandle brush) override {
        return ::DeleteObject(reinterpret_cast<HGDIOBJ>(brush)) != 0;
    }
};

RenderBinding renderBinding;

}  // namespace

RenderPlatform* Win32Render() { return &renderBinding; }

}  // namespace scintle
