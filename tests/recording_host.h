// A recording fake of the host's platform: every call is kept as a line of text
// ("PostMessageA 0x10 0 0", "SetCursor 0", ...) and answered from fields the test
// sets. Messages work as on Win32 for one window of one thread: CreateWindowExA
// delivers WM_CREATE and WM_SIZE to the class procedure, PostMessageA queues,
// GetMessageA and DispatchMessageA drain the queue, SendMessageA calls the procedure,
// and DefWindowProcA destroys the window on WM_CLOSE. It is the registry too: the
// password switch's key "Control Panel\Desktop" is recorded here with the rest, every
// other key is left to `otherKeys` (the settings' FakeRegistry).
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/host_platform.h"
#include "platform/registry_platform.h"
#include "recording_platform.h"
#include "render/memory_canvas.h"

namespace scintle {

inline WindowHandle FakeWindow(uintptr_t number) { return reinterpret_cast<WindowHandle>(number); }
inline ModuleHandle FakeModule(uintptr_t number) { return reinterpret_cast<ModuleHandle>(number); }

class RecordingHost : public HostPlatform, public RegistryPlatform {
public:
    WindowHandle GetForegroundWindow() override;
    bool IsWindow(WindowHandle hwnd) override;
    intptr_t DialogBoxParamA(ModuleHandle instance, uintptr_t templateId, WindowHandle owner,
                             DialogProc procedure, intptr_t initParam) override;
    IconHandle LoadIconA(ModuleHandle instance, uintptr_t iconId) override;
    GdiObject GetStockObject(int32_t object) override;
    uint16_t RegisterClassA(const WindowClass* windowClass) override;
    int32_t GetSystemMetrics(int32_t index) override;
    bool GetClientRect(WindowHandle hwnd, Rect* rect) override;
    WindowHandle FindWindowA(const char* className, const char* title) override;
    bool SetForegroundWindow(WindowHandle hwnd) override;
    WindowHandle CreateWindowExA(uint32_t exStyle, const char* className, const char* title,
                                 uint32_t style, int32_t x, int32_t y, int32_t width,
                                 int32_t height, WindowHandle parent, void* menu,
                                 ModuleHandle instance, void* param) override;
    int32_t GetMessageA(Message* message, WindowHandle hwnd, uint32_t filterMin,
                        uint32_t filterMax) override;
    bool TranslateMessage(const Message* message) override;
    intptr_t DispatchMessageA(const Message* message) override;
    bool PeekMessageA(Message* message, WindowHandle hwnd, uint32_t filterMin, uint32_t filterMax,
                      uint32_t removeFlags) override;
    void PostQuitMessage(int32_t exitCode) override;
    bool PostMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                      intptr_t lParam) override;
    intptr_t SendMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                          intptr_t lParam) override;
    intptr_t DefWindowProcA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) override;
    WindowHandle GetParent(WindowHandle hwnd) override;
    uintptr_t SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t elapseMs,
                       void* timerProc) override;
    CursorHandle SetCursor(CursorHandle cursor) override;
    bool GetCursorPos(Point* point) override;
    void Sleep(uint32_t milliseconds) override;
    uint32_t GetTickCount() override;
    ModuleHandle GetModuleHandleA(const char* name) override;
    ModuleHandle LoadLibraryA(const char* fileName) override;
    FarProc GetProcAddress(ModuleHandle module, const char* name) override;
    bool FreeLibrary(ModuleHandle module) override;
    bool SystemParametersInfoA(uint32_t action, uint32_t param, void* pvParam,
                               uint32_t winIni) override;
    int32_t RegOpenKeyA(RegistryKey root, const char* path, RegistryKey* result) override;
    int32_t RegQueryValueExA(RegistryKey key, const char* name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* size) override;
    int32_t RegCloseKey(RegistryKey key) override;
    int32_t RegOpenKeyExA(RegistryKey root, const char* path, uint32_t options, uint32_t access,
                          RegistryKey* result) override;
    int32_t RegCreateKeyExA(RegistryKey root, const char* path, uint32_t reserved,
                            char* keyClass, uint32_t options, uint32_t access, void* security,
                            RegistryKey* result, uint32_t* disposition) override;
    int32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t reserved, uint32_t type,
                           const uint8_t* data, uint32_t size) override;

    // The calls whose lines start with `prefix`, in order.
    std::vector<std::string> CallsOf(const std::string& prefix) const;
    // Sets "ScreenSaveUsePassword" under "Control Panel\Desktop".
    void SetPasswordSwitch(std::vector<uint8_t> data);
    // Makes "PASSWORD.CPL" loadable with the given VerifyScreenSavePwd (may be null).
    void ProvideVerifier(VerifyScreenSavePwdFn verify);

    std::vector<std::string> calls;

    // Answers.
    std::set<WindowHandle> windows;           // IsWindow says yes
    WindowHandle foreground = nullptr;
    intptr_t dialogResult = -1;
    WindowHandle foundWindow = nullptr;       // FindWindowA
    uint16_t classAtom = 0xC001;              // RegisterClassA; 0 fails
    WindowHandle newWindow = FakeWindow(0x500);  // CreateWindowExA; null fails
    int32_t screenWidth = 640;
    int32_t screenHeight = 480;
    Rect virtualScreen = {0, 0, 640, 480};  // every monitor's area together
    Rect clientRect = {0, 0, 152, 112};       // GetClientRect of any window
    WindowHandle parent = nullptr;            // GetParent
    Point cursor = {100, 100};
    bool cursorReadable = true;
    std::deque<uint32_t> ticks;               // GetTickCount, one each; the last repeats
    std::map<std::string, ModuleHandle> loadedModules;    // GetModuleHandleA
    std::map<std::string, ModuleHandle> loadableModules;  // LoadLibraryA
    std::map<std::pair<ModuleHandle, std::string>, FarProc> entries;
    bool desktopKeyExists = true;
    bool passwordSwitchExists = false;
    std::vector<uint8_t> passwordSwitch;
    FakeRegistry* otherKeys = nullptr;
    DialogProc dialogProcedure = nullptr;     // as DialogBoxParamA was given it

    // Window state.
    WindowProc classProc = nullptr;           // set by RegisterClassA, or by the test
    WindowHandle liveWindow = nullptr;
    std::deque<Message> queue;
    bool quitPosted = false;
    int32_t quitCode = 0;
    int timersQueued = 0;                     // WM_TIMER messages PeekMessageA can remove
};

// The render side of a SaverHook test: records thread starts instead of making threads.
class ThreadRecordingCanvas : public MemoryCanvas {
public:
    ThreadRecordingCanvas() : MemoryCanvas(8, 6) {}
    uintptr_t _beginthread(ThreadStart start, uint32_t stackSize, void* argument) override;

    struct Start {
        ThreadStart start;
        uint32_t stackSize;
        void* argument;
        int32_t windowShown;  // whether the window was on the screen at the start
    };
    std::vector<Start> starts;
    bool failStart = false;
};

}  // namespace scintle
