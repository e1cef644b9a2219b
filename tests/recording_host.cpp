#include "recording_host.h"

#include <cstdio>
#include <cstring>

#include "platform/platform_values.h"
#include "render/cycle_state.h"

namespace scintle {

namespace {

std::string Hex(uintptr_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%#lx", static_cast<unsigned long>(value));
    return text;
}

template <typename Handle>
std::string Hex(Handle* handle) {
    return Hex(reinterpret_cast<uintptr_t>(handle));
}

std::string Text(const char* text) { return text ? std::string("\"") + text + "\"" : "null"; }

const RegistryKey kDesktopKey = reinterpret_cast<RegistryKey>(uintptr_t{0x77});

}  // namespace

WindowHandle RecordingHost::GetForegroundWindow() {
    calls.push_back("GetForegroundWindow");
    return foreground;
}

bool RecordingHost::IsWindow(WindowHandle hwnd) {
    calls.push_back("IsWindow " + Hex(hwnd));
    return windows.count(hwnd) != 0;
}

intptr_t RecordingHost::DialogBoxParamA(ModuleHandle instance, uintptr_t templateId,
                                        WindowHandle owner, DialogProc procedure,
                                        intptr_t initParam) {
    dialogProcedure = procedure;
    calls.push_back("DialogBoxParamA " + Hex(instance) + " " + std::to_string(templateId) + " " +
                    Hex(owner) + " " + std::to_string(initParam));
    return dialogResult;
}

IconHandle RecordingHost::LoadIconA(ModuleHandle instance, uintptr_t iconId) {
    calls.push_back("LoadIconA " + Hex(instance) + " " + std::to_string(iconId));
    return reinterpret_cast<IconHandle>(uintptr_t{0x100});
}

GdiObject RecordingHost::GetStockObject(int32_t object) {
    calls.push_back("GetStockObject " + std::to_string(object));
    return reinterpret_cast<GdiObject>(uintptr_t{0x200} + static_cast<uintptr_t>(object));
}

uint16_t RecordingHost::RegisterClassA(const WindowClass* wc) {
    calls.push_back("RegisterClassA " + Hex(wc->style) + " " + Hex(wc->instance) + " " +
                    Hex(wc->icon) + " " + Hex(wc->cursor) + " " + Hex(wc->background) + " " +
                    Text(wc->menuName) + " " + Text(wc->className) + " " +
                    std::to_string(wc->classExtra) + " " + std::to_string(wc->windowExtra));
    if (classAtom) classProc = wc->windowProc;
    return classAtom;
}

int32_t RecordingHost::GetSystemMetrics(int32_t index) {
    calls.push_back("GetSystemMetrics " + std::to_string(index));
    switch (index) {
        case kSmCxScreen: return screenWidth;
        case kSmCyScreen: return screenHeight;
        case kSmXVirtualScreen: return virtualScreen.left;
        case kSmYVirtualScreen: return virtualScreen.top;
        case kSmCxVirtualScreen: return virtualScreen.right - virtualScreen.left;
        case kSmCyVirtualScreen: return virtualScreen.bottom - virtualScreen.top;
        default: return 0;
    }
}

bool RecordingHost::GetClientRect(WindowHandle hwnd, Rect* rect) {
    calls.push_back("GetClientRect " + Hex(hwnd));
    *rect = clientRect;
    return true;
}

WindowHandle RecordingHost::FindWindowA(const char* className, const char* title) {
    calls.push_back("FindWindowA " + Text(className) + " " + Text(title));
    return foundWindow;
}

bool RecordingHost::SetForegroundWindow(WindowHandle hwnd) {
    calls.push_back("SetForegroundWindow " + Hex(hwnd));
    return true;
}

WindowHandle RecordingHost::CreateWindowExA(uint32_t exStyle, const char* className,
                                            const char* title, uint32_t style, int32_t x,
                                            int32_t y, int32_t width, int32_t height,
                                            WindowHandle parentWindow, void* menu,
                                            ModuleHandle instance, void* param) {
    calls.push_back("CreateWindowExA " + Hex(exStyle) + " " + Text(className) + " " +
                    Text(title) + " " + Hex(style) + " " + std::to_string(x) + " " +
                    std::to_string(y) + " " + std::to_string(width) + " " +
                    std::to_string(height) + " " + Hex(parentWindow) + " " + Hex(menu) + " " +
                    Hex(instance) + " " + Hex(param));
    if (!newWindow) return nullptr;
    liveWindow = newWindow;
    windows.insert(newWindow);
    if (classProc) {
        classProc(newWindow, kWmCreate, 0, 0);
        const auto size = static_cast<uint32_t>(height) << 16 | (static_cast<uint32_t>(width) & 0xFFFF);
        classProc(newWindow, kWmSize, 0, static_cast<intptr_t>(size));
    }
    return newWindow;
}

int32_t RecordingHost::GetMessageA(Message* message, WindowHandle, uint32_t, uint32_t) {
    if (!queue.empty()) {
        *message = queue.front();
        queue.pop_front();
        return 1;
    }
    calls.push_back("GetMessageA quit");
    *message = Message{};
    message->wParam = static_cast<uintptr_t>(quitCode);
    return 0;  // a drained queue ends the loop like the quit message
}

bool RecordingHost::TranslateMessage(const Message*) { return false; }

intptr_t RecordingHost::DispatchMessageA(const Message* message) {
    return classProc ? classProc(message->hwnd, message->message, message->wParam,
                                 message->lParam)
                     : 0;
}

bool RecordingHost::PeekMessageA(Message* message, WindowHandle hwnd, uint32_t filterMin,
                                 uint32_t filterMax, uint32_t removeFlags) {
    calls.push_back("PeekMessageA " + Hex(hwnd) + " " + Hex(filterMin) + " " + Hex(filterMax) +
                    " " + std::to_string(removeFlags));
    if (timersQueued == 0) return false;
    --timersQueued;
    *message = Message{hwnd, kWmTimer, 0, 0, 0, {0, 0}};
    return true;
}

void RecordingHost::PostQuitMessage(int32_t exitCode) {
    calls.push_back("PostQuitMessage " + std::to_string(exitCode));
    quitPosted = true;
    quitCode = exitCode;
}

bool RecordingHost::PostMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
    calls.push_back("PostMessageA " + Hex(hwnd) + " " + Hex(message) + " " + Hex(wParam) + " " +
                    std::to_string(lParam));
    if (hwnd && hwnd == liveWindow) queue.push_back(Message{hwnd, message, wParam, lParam, 0, {}});
    return true;
}

intptr_t RecordingHost::SendMessageA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
    calls.push_back("SendMessageA " + Hex(hwnd) + " " + Hex(message) + " " + Hex(wParam) + " " +
                    std::to_string(lParam));
    return classProc ? classProc(hwnd, message, wParam, lParam) : 0;
}

intptr_t RecordingHost::DefWindowProcA(WindowHandle hwnd, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam) {
    calls.push_back("DefWindowProcA " + Hex(message));
    (void)wParam;
    (void)lParam;
    if (message == kWmClose && hwnd == liveWindow) {
        liveWindow = nullptr;
        windows.erase(hwnd);
        if (classProc) classProc(hwnd, kWmDestroy, 0, 0);
    }
    return 0;
}

WindowHandle RecordingHost::GetParent(WindowHandle hwnd) {
    calls.push_back("GetParent " + Hex(hwnd));
    return parent;
}

uintptr_t RecordingHost::SetTimer(WindowHandle hwnd, uintptr_t id, uint32_t elapseMs, void*) {
    calls.push_back("SetTimer " + Hex(hwnd) + " " + std::to_string(id) + " " +
                    std::to_string(elapseMs));
    return id;
}

CursorHandle RecordingHost::SetCursor(CursorHandle cursor) {
    calls.push_back("SetCursor " + Hex(cursor));
    return nullptr;
}

bool RecordingHost::GetCursorPos(Point* point) {
    calls.push_back("GetCursorPos");
    if (cursorReadable) *point = cursor;
    return cursorReadable;
}

void RecordingHost::Sleep(uint32_t milliseconds) {
    calls.push_back("Sleep " + std::to_string(milliseconds));
}

uint32_t RecordingHost::GetTickCount() {
    calls.push_back("GetTickCount");
    if (ticks.empty()) return 0;
    const uint32_t tick = ticks.front();
    if (ticks.size() > 1) ticks.pop_front();
    return tick;
}

ModuleHandle RecordingHost::GetModuleHandleA(const char* name) {
    calls.push_back("GetModuleHandleA " + Text(name));
    auto found = loadedModules.find(name);
    return found == loadedModules.end() ? nullptr : found->second;
}

ModuleHandle RecordingHost::LoadLibraryA(const char* fileName) {
    calls.push_back("LoadLibraryA " + Text(fileName));
    auto found = loadableModules.find(fileName);
    return found == loadableModules.end() ? nullptr : found->second;
}

FarProc RecordingHost::GetProcAddress(ModuleHandle module, const char* name) {
    calls.push_back("GetProcAddress " + Hex(module) + " " + Text(name));
    auto found = entries.find({module, name});
    return found == entries.end() ? nullptr : found->second;
}

bool RecordingHost::FreeLibrary(ModuleHandle module) {
    calls.push_back("FreeLibrary " + Hex(module));
    return true;
}

bool RecordingHost::SystemParametersInfoA(uint32_t action, uint32_t param, void* pvParam,
                                          uint32_t winIni) {
    calls.push_back("SystemParametersInfoA " + std::to_string(action) + " " +
                    std::to_string(param) + " " + (pvParam ? "scratch" : "null") + " " +
                    std::to_string(winIni));
    return true;
}

int32_t RecordingHost::RegOpenKeyA(RegistryKey root, const char* path, RegistryKey* result) {
    calls.push_back(std::string("RegOpenKeyA ") +
                    (root == kHkeyCurrentUser ? "HKEY_CURRENT_USER" : Hex(root)) + " " + Text(path));
    if (!desktopKeyExists || std::strcmp(path, "Control Panel\\Desktop") != 0) return 2;
    *result = kDesktopKey;
    return 0;
}

int32_t RecordingHost::RegQueryValueExA(RegistryKey key, const char* name, uint32_t*,
                                        uint32_t* type, uint8_t* data, uint32_t* size) {
    if (key != kDesktopKey) return otherKeys->RegQueryValueExA(key, name, nullptr, type, data, size);
    calls.push_back("RegQueryValueExA " + Hex(key) + " " + Text(name) + " " +
                    (type ? "type" : "null") + " " + std::to_string(*size));
    if (!passwordSwitchExists || std::strcmp(name, "ScreenSaveUsePassword") != 0) return 2;
    if (passwordSwitch.size() > *size) return 234;  // ERROR_MORE_DATA
    std::memcpy(data, passwordSwitch.data(), passwordSwitch.size());
    *size = static_cast<uint32_t>(passwordSwitch.size());
    return 0;
}

int32_t RecordingHost::RegCloseKey(RegistryKey key) {
    if (key != kDesktopKey) return otherKeys->RegCloseKey(key);
    calls.push_back("RegCloseKey " + Hex(key));
    return 0;
}

int32_t RecordingHost::RegOpenKeyExA(RegistryKey root, const char* path, uint32_t options,
                                     uint32_t access, RegistryKey* result) {
    return otherKeys->RegOpenKeyExA(root, path, options, access, result);
}

int32_t RecordingHost::RegCreateKeyExA(RegistryKey root, const char* path, uint32_t reserved,
                                       char* keyClass, uint32_t options, uint32_t access,
                                       void* security, RegistryKey* result,
                                       uint32_t* disposition) {
    return otherKeys->RegCreateKeyExA(root, path, reserved, keyClass, options, access, security,
                                      result, disposition);
}

int32_t RecordingHost::RegSetValueExA(RegistryKey key, const char* name, uint32_t reserved,
                                      uint32_t type, const uint8_t* data, uint32_t size) {
    return otherKeys->RegSetValueExA(key, name, reserved, type, data, size);
}

std::vector<std::string> RecordingHost::CallsOf(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
}

void RecordingHost::SetPasswordSwitch(std::vector<uint8_t> data) {
    passwordSwitchExists = true;
    passwordSwitch = std::move(data);
}

void RecordingHost::ProvideVerifier(VerifyScreenSavePwdFn verify) {
    const ModuleHandle cpl = FakeModule(0x700);
    loadableModules["PASSWORD.CPL"] = cpl;
    if (verify) entries[{cpl, "VerifyScreenSavePwd"}] = reinterpret_cast<FarProc>(verify);
}

uintptr_t ThreadRecordingCanvas::_beginthread(ThreadStart start, uint32_t stackSize,
                                              void* argument) {
    starts.push_back({start, stackSize, argument, renderCycle.windowShown.load()});
    return failStart ? kThreadStartFailed : 0x900;
}

}  // namespace scintle
