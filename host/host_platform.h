// The platform operations of the saver host (entry, saver window, password gate),
// named and shaped as in Win32. The saver binds them to USER32, KERNEL32 and ADVAPI32
// (win32_host_platform.cpp); the tests bind them to a recording fake.
//
// Handles are opaque pointers here; the Windows binding casts them to HWND, HMODULE,
// HICON, HCURSOR, HGDIOBJ and HIMC. Entries found with GetProcAddress are called
// straight through their pointers, with the platform's calling convention.
#pragma once

#include <cstdint>

#include "render/render_platform.h"
#include "settings/registry_platform.h"

// The calling convention of the Win32 entries of loaded libraries (stdcall on 32-bit
// Windows, nothing elsewhere).
#if defined(_WIN32) && defined(__i386__)
#define SCINTLE_STDCALL __attribute__((stdcall))
#else
#define SCINTLE_STDCALL
#endif

namespace scintle {

using ModuleHandle = struct ModuleTag*;          // HINSTANCE, HMODULE
using IconHandle = struct IconTag*;              // HICON
using CursorHandle = struct CursorTag*;          // HCURSOR
using GdiObject = struct GdiObjectTag*;          // HGDIOBJ
using InputContext = struct InputContextTag*;    // HIMC
using FarProc = void (*)();                      // FARPROC

struct Point {  // laid out as POINT
    int32_t x;
    int32_t y;
};

struct Message {  // the fields of MSG
    WindowHandle hwnd;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    uint32_t time;
    Point pt;
};

using WindowProc = intptr_t (*)(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
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
    // Runs dialog template `templateId` of `instance` modally with the configuration
    // dialog's procedure; -1 when the dialog cannot be created.
    virtual intptr_t DialogBoxParamA(ModuleHandle instance, uintptr_t templateId,
                                     WindowHandle owner, intptr_t initParam) = 0;

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

    // The platform's password switch.
    virtual int32_t RegOpenKeyA(RegistryKey root, const char* path, RegistryKey* result) = 0;
    virtual int32_t RegQueryValueExA(RegistryKey key, const char* name, uint32_t* reserved,
                                     uint32_t* type, uint8_t* data, uint32_t* size) = 0;
    virtual int32_t RegCloseKey(RegistryKey key) = 0;

protected:
    ~HostPlatform() = default;
};

// The binding in force; the entry sets it before anything else runs.
extern HostPlatform* hostPlatform;

}  // namespace scintle
