// The saver host's platform on Win32: each operation is the USER32 or KERNEL32 call
// of the same name. The one window class and the one dialog at a time get their
// procedures through stdcall trampolines, since the host's procedures are plain C++
// functions.
#include <windows.h>

#include "platform/win32/win32_bindings.h"

namespace scintle {

namespace {

HWND Hwnd(WindowHandle hwnd) { return reinterpret_cast<HWND>(hwnd); }
WindowHandle Handle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }
HINSTANCE Instance(ModuleHandle module) { return reinterpret_cast<HINSTANCE>(module); }

MSG ToMsg(const Message& m) {
    MSG msg = {};
    msg.hwnd = Hwnd(m.hwnd);
    msg.message = m.message;
    msg.wParam = m.wParam;
    msg.lParam = m.lParam;
    msg.time = m.time;
    msg.pt = {m.pt.x, m.pt.y};
    return msg;
}

Message FromMsg(const MSG& msg) {
    return {Handle(msg.hwnd), msg.message, msg.wParam, msg.lParam, msg.time, {msg.pt.x, msg.pt.y}};
}

WindowProc classProcedure = nullptr;

LRESULT CALLBACK ClassTrampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return classProcedure(Handle(hwnd), message, wParam, lParam);
}

DialogProc dialogProcedure = nullptr;

INT_PTR CALLBACK DialogTrampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialogProcedure(reinterpret_cast<DialogHandle>(hwnd), message, wParam, lParam);
}

class HostBinding final : public HostPlatform {
public:
    WindowHandle GetForegroundWindow() override { return Handle(::GetForegroundWindow()); }
    bool IsWindow(WindowHandle hwnd) override { return ::IsWindow(Hwnd(hwnd)) != 0; }
    intptr_t DialogBoxParamA(ModuleHandle instance, uintptr_t templateId, WindowHandle owner,
                             DialogProc procedure, intptr_t initParam) override {
        dialogProcedure = procedure;
        return ::DialogBoxParamA(Instance(instance), MAKEINTRESOURCEA(templateId), Hwnd(owner),
                                 DialogTrampoline, initParam);
    }
    IconHandle LoadIconA(ModuleHandle instance, uintptr_t iconId) override {
        return reinterpret_cast<IconHandle>(
            ::LoadIconA(Instance(instance), MAKEINTRESOURCEA(iconId)));
    }
    GdiObject GetStockObject(int32_t object) override {
        return reinterpret_cast<GdiObject>(::GetStockObject(object));
    }
    uint16_t RegisterClassA(const WindowClass* wc) override {
        classProcedure = wc->windowProc;
        WNDCLASSA native = {};
        native.style = wc->style;
        native.lpfnWndProc = ClassTrampoline;
        native.cbClsExtra = wc->classExtra;
        native.cbWndExtra = wc->windowExtra;
        native.hInstance = Instance(wc->instance);
        native.hIcon = reinterpret_cast<HICON>(wc->icon);
        native.hCursor = reinterpret_cast<HCURSOR>(wc->cursor);
        native.hbrBackground = reinterpret_cast<HBRUSH>(wc->background);
        native.lpszMenuName = wc->menuName;
        native.lpszClassName = wc->className;
        return ::RegisterClassA(&native);
    }
    int32_t GetSystemMetrics(int32_t index) override { return ::GetSystemMetrics(index); }
    bool GetClientRect(WindowHandle hwnd, Rect* rect) override {
        return ::GetClientRect(Hwnd(hwnd), reinterpret_cast<RECT*>(rect)) != 0;
    }
    WindowHandle FindWindowA(const char* className, const char* title) override {
        return Handle(::FindWindowA(className, title));
    }
    bool SetForegroundWindow(WindowHandle hwnd) override {
        return ::SetForegroundWindow(Hwnd(hwnd)) != 0;
    }
    WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* title,
                                 uint32_t style, int32_t x, int32_t y, int32_t width,
                                 int32_t height, WindowHandle parent, void* menu,
                                 ModuleHandle instance, void* param) override {
        return Handle(::CreateWindowExA(exStyle, className, title, style, x, y, width, height,
                                        Hwnd(parent), static_cast<HMENU>(menu),
                                        Instance(instance), param));
    }
    int32_t GetMessageA(Message* message, WindowHandle hwnd, uint32_t filterMin,
                        uint32_t filterMax) override {
        MSG msg = {};
        const BOOL got = ::GetMessageA(&msg, Hwnd(hwnd), filterMin, filterMax);
        *message = FromMsg(msg);
        return got;
    }
    bool TranslateMessage(const Message* message) override {
        const MSG msg = ToMsg(*message);
        return ::TranslateMessage(&msg) != 0;
    }
    intptr_t DispatchMessageA(const Message* message) override {
        const MSG msg = ToMsg(*message);
        return ::DispatchMessageA(&msg);
    }
    bool PeekMessageA(Message* message, WindowHandle hwnd, uint32_t filterMin, uint32_t filterMax,
                      uint32_t removeFlags) override {
        MSG msg = {};
        const BOOL got = ::PeekMessageA(&msg, Hwnd(hwnd), filterMin, filterMax, removeFlags);
        *message = FromMsg(msg);
        return got != 0;
    }
    void PostQuitMessage(int32_t exitCode) override { ::PostQuitMessage(exitCode); }
    bool PostMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                      intptr_t lParam) override {
        return ::PostMessageA(Hwnd(hwnd), message, wParam, lParam) != 0;
    }
    intptr_t SendMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                          intptr_t lParam) override {
        return ::SendMessageA(Hwnd(hwnd), message, wParam, lParam);
    }
    intptr_t DefWindowProcA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) override {
        return ::DefWindowProcA(Hwnd(hwnd), message, wParam, lParam);
    }
    WindowHandle GetParent(WindowHandle hwnd) override { return Handle(::GetParent(Hwnd(hwnd))); }
    uintptr_t SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t elapseMs,
                       void* timerProc) override {
        return ::SetTimer(Hwnd(hwnd), id, elapseMs, reinterpret_cast<TIMERPROC>(timerProc));
    }
    CursorHandle SetCursor(CursorHandle cursor) override {
        return reinterpret_cast<CursorHandle>(::SetCursor(reinterpret_cast<HCURSOR>(cursor)));
    }
    bool GetCursorPos(Point* point) override {
        return ::GetCursorPos(reinterpret_cast<POINT*>(point)) != 0;
    }
    void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
    uint32_t GetTickCount() override { return ::GetTickCount(); }
    ModuleHandle GetModuleHandleA(const char* name) override {
        return reinterpret_cast<ModuleHandle>(::GetModuleHandleA(name));
    }
    ModuleHandle LoadLibraryA(const char* fileName) override {
        return reinterpret_cast<ModuleHandle>(::LoadLibraryA(fileName));
    }
    FarProc GetProcAddress(ModuleHandle module, const char* name) override {
        return reinterpret_cast<FarProc>(
            ::GetProcAddress(reinterpret_cast<HMODULE>(module), name));
    }
    bool FreeLibrary(ModuleHandle module) override {
        return ::FreeLibrary(reinterpret_cast<HMODULE>(module)) != 0;
    }
    bool SystemParametersInfoA(uint32_t action, uint32_t param, void* pvParam,
                               uint32_t winIni) override {
        return ::SystemParametersInfoA(action, param, pvParam, winIni) != 0;
    }
};

HostBinding hostBinding;

}  // namespace

HostPlatform* Win32Host() { return &hostBinding; }

}  // namespace scintle
