// The platform operations of the saver host (entry, saver window, password gate):
// windows, messages, the pointer, loaded libraries and time, named and shaped as in
// Win32. The saver binds them to USER32 and KERNEL32 (platform/win32/); the tests to a
// recording fake. Entries found with GetProcAddress are called straight through their
// pointers, with the platform's calling convention.
#pragma once

#include <cstdint>

#include "platform/platform_types.h"

namespace scintle {

struct Message {  // the fields of MSG
    WindowHandle hwnd;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    uint32_t time;
    Point pt;
};

// Window and dialog procedures are plain functions; a binding passes the platform's
// calls on to them.
using WindowProc = intptr_t (*)(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                                intptr_t lParam);
using DialogProc = intptr_t (*)(DialogHandle dialog, uint32_t message, uintptr_t wParam,
                                intptr_t lParam);

struct WindowClass {  // the fields of WNDCLASSA
    uint32_t style;
    WindowProc windowProc;
    int32_t classExtra;
    int32_t windowExtra;
    ModuleHandle instance;
    IconHandle icon;
    CursorHandle cursor;
    GdiObject background;
    const char* menuName;
    const char* className;
};

// Entries of the optional components, as their libraries export them.
using VerifyScreenSavePwdFn = int32_t(SCINTLE_STDCALL*)(WindowHandle hwnd);
using PwdChangePasswordAFn = uint32_t(SCINTLE_STDCALL*)(const char* provider, WindowHandle parent,
                                                        uint32_t reserved1, void* reserved2);
using ImmAssociateContextFn = InputContext(SCINTLE_STDCALL*)(WindowHandle hwnd,
                                                             InputContext context);

class HostPlatform {
public:
    // Entry.
    virtual WindowHandle GetForegroundWindow() = 0;
    virtual bool IsWindow(WindowHandle hwnd) = 0;
    // Runs dialog template `templateId` of `instance` modally with `procedure`; -1
    // when the dialog cannot be created.
    virtual intptr_t DialogBoxParamA(ModuleHandle instance, uintptr_t templateId,
                                     WindowHandle owner, DialogProc procedure,
                                     intptr_t initParam) = 0;

    // Window class, window and message loop.
    virtual IconHandle LoadIconA(ModuleHandle instance, uintptr_t iconId) = 0;
    virtual GdiObject GetStockObject(int32_t object) = 0;
    virtual uint16_t RegisterClassA(const WindowClass* windowClass) = 0;
    virtual int32_t GetSystemMetrics(int32_t index) = 0;
    virtual bool GetClientRect(WindowHandle hwnd, Rect* rect) = 0;
    virtual WindowHandle FindWindowA(const char* className, const char* title) = 0;
    virtual bool SetForegroundWindow(WindowHandle hwnd) = 0;
    virtual WindowHandle CreateWindowExA(uint32_t exStyle, const char* className,
                                         const char* title, uint32_t style, int32_t x,
                                         int32_t y, int32_t width, int32_t height,
                                         WindowHandle parent, void* menu, ModuleHandle instance,
                                         void* param) = 0;
    virtual int32_t GetMessageA(Message* message, WindowHandle hwnd, uint32_t filterMin,
                                uint32_t filterMax) = 0;
    virtual bool TranslateMessage(const Message* message) = 0;
    virtual intptr_t DispatchMessageA(const Message* message) = 0;
    virtual bool PeekMessageA(Message* message, WindowHandle hwnd, uint32_t filterMin,
                              uint32_t filterMax, uint32_t removeFlags) = 0;
    virtual void PostQuitMessage(int32_t exitCode) = 0;
    virtual bool PostMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) = 0;
    virtual intptr_t SendMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                                  intptr_t lParam) = 0;
    virtual intptr_t DefWindowProcA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam) = 0;
    virtual WindowHandle GetParent(WindowHandle hwnd) = 0;
    virtual uintptr_t SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t elapseMs,
                               void* timerProc) = 0;

    // Pointer.
    virtual CursorHandle SetCursor(CursorHandle cursor) = 0;
    virtual bool GetCursorPos(Point* point) = 0;

    // Kernel.
    virtual void Sleep(uint32_t milliseconds) = 0;
    virtual uint32_t GetTickCount() = 0;
    virtual ModuleHandle GetModuleHandleA(const char* name) = 0;
    virtual ModuleHandle LoadLibraryA(const char* fileName) = 0;
    virtual FarProc GetProcAddress(ModuleHandle module, const char* name) = 0;
    virtual bool FreeLibrary(ModuleHandle module) = 0;
    virtual bool SystemParametersInfoA(uint32_t action, uint32_t param, void* pvParam,
                                       uint32_t winIni) = 0;

protected:
    ~HostPlatform() = default;
};

// The binding in force (platform_bindings.cpp); set before the entry runs.
extern HostPlatform* hostPlatform;

}  // namespace scintle
