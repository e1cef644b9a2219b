// Win32 side of the test driver: see dialog_probe.h.
#include <windows.h>

#include "dialog_probe.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace scintle {

namespace {

constexpr DWORD kPatience = 30000;  // a fresh Wine prefix can be slow to start a program
constexpr DWORD kStep = 20;
constexpr UINT kSendTimeout = 5000;
int failures = 0;

template <typename Condition>
bool WaitFor(Condition condition, DWORD patience = kPatience) {
    for (DWORD waited = 0; waited < patience; waited += kStep) {
        if (condition()) return true;
        Pause(kStep);
    }
    return condition();
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsDialogWindow(HWND window) { return ClassName(window) == "#32770"; }

struct Search {
    DWORD processId;
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogOfProcess(HWND window, LPARAM lParam) {
    Search* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsDialogWindow(window) &&
        WindowText(window) == kDialogCaption)
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectOwned(HWND window, LPARAM lParam) {
    Search* search = reinterpret_cast<Search*>(lParam);
    if (GetWindow(window, GW_OWNER) == search->owner) search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeout, &result);
    return static_cast<LRESULT>(result);
}

void SendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void ClickAt(POINT at) {
    SendMouse(MOUSEEVENTF_MOVE, at);
    Pause(50);
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
    Pause(50);
    SendMouse(MOUSEEVENTF_LEFTUP, at);
    Pause(200);
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

HKEY OpenSettings() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

bool Expect(bool condition, const char* format, ...) {
    char what[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(what, sizeof what, format, arguments);
    va_end(arguments);
    std::printf("%s - %s\n", condition ? "ok" : "FAILED", what);
    std::fflush(stdout);
    if (!condition) ++failures;
    return condition;
}

int FailureCount() { return failures; }

bool StartProgram(const char* path, const char* arguments, Program* program) {
    std::string commandLine = std::string("\"") + path + "\"";
    if (*arguments) commandLine += std::string(" ") + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> text(commandLine.begin(), commandLine.end());
    text.push_back('\0');
    program->running = CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &program->info) != FALSE;
    return program->running;
}

long WaitForExit(Program* program) {
    if (!program->running) return -2;
    const bool ended = WaitFor([program] {
        return WaitForSingleObject(program->info.hProcess, 0) == WAIT_OBJECT_0;
    });
    DWORD code = 0;
    if (ended) GetExitCodeProcess(program->info.hProcess, &code);
    EndProgram(program);
    return ended ? static_cast<long>(static_cast<LONG>(code)) : -2;
}

void EndProgram(Program* program) {
    if (!program->running) return;
    if (WaitForSingleObject(program->info.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(program->info.hProcess, 99);
    CloseHandle(program->info.hThread);
    CloseHandle(program->info.hProcess);
    program->running = false;
}

void Pause(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kStep, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

HWND WaitForDialog(const Program& program) {
    Search search{program.info.dwProcessId, nullptr, {}};
    WaitFor([&search] {
        search.found.clear();
        EnumWindows(CollectDialogOfProcess, reinterpret_cast<LPARAM>(&search));
        return !search.found.empty();
    });
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> OwnedWindows(HWND dialog) {
    Search search{0, dialog, {}};
    EnumWindows(CollectOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMessageBox(HWND dialog) {
    HWND box = nullptr;
    WaitFor([&box, dialog] {
        for (HWND window : OwnedWindows(dialog))
            if (IsDialogWindow(window) && IsWindowVisible(window)) box = window;
        return box != nullptr;
    });
    // Let it finish drawing and settle its focus before it is looked at.
    Pause(300);
    return box;
}

bool WaitForNoMessageBox(HWND dialog) {
    return WaitFor([dialog] { return OwnedWindows(dialog).empty(); });
}

std::string WindowText(HWND window) {
    char text[256] = "";
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        GetWindowTextA(window, text, sizeof text);
    else
        Send(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string MessageBoxText(HWND box) {
    for (HWND child : Children(box)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (ClassName(child) == "Static" && (style & SS_TYPEMASK) != SS_ICON) {
            const std::string text = WindowText(child);
            if (!text.empty()) return text;
        }
    }
    return "";
}

bool MessageBoxHasStopIconAndOneOkButton(HWND box) {
    bool icon = false;
    int buttons = 0;
    bool ok = false;
    for (HWND child : Children(box)) {
        if (!IsWindowVisible(child)) continue;
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (ClassName(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON)
            icon = Send(child, STM_GETICON, 0, 0) != 0;
        if (ClassName(child) == "Button") {
            ++buttons;
            ok = GetDlgCtrlID(child) == IDOK && WindowText(child) == "OK";
        }
    }
    return icon && buttons == 1 && ok;
}

bool Checked(HWND dialog, int id) {
    return Send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string FieldText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetFieldText(HWND dialog, int id, const char* text) {
    Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void PressButton(HWND window, int id) { PostMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }

void ClickControl(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    // Near the left end: on a field that puts the caret before its text, on a check box
    // it hits the box itself.
    ClickAt({rect.left + 4, (rect.top + rect.bottom) / 2});
}

bool ClickCloseBox(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    // Look along the caption, from the right, for the point the window calls its close box.
    for (int x = rect.right - 2; x > rect.right - 60; --x) {
        for (int y = rect.top + 2; y < rect.top + 30; y += 2) {
            const LRESULT hit = Send(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == HTCLOSE) {
                ClickAt({x - 2, y + 2});
                return true;
            }
        }
    }
    return false;
}

void PressKey(WORD virtualKey) { PressKeys({virtualKey}); }

void PressKeys(const std::vector<WORD>& virtualKeys) {
    for (WORD key : virtualKeys) SendKey(key, false);
    for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key) SendKey(*key, true);
    Pause(150);
}

void TypeText(const char* text) {
    for (; *text; ++text) PressKey(static_cast<WORD>(VkKeyScanA(*text) & 0xFF));
}

void DeleteSettings() {
    // Deepest first, so that typing OK has to create the whole path again.
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "software\\qentrix\\vorbanite");
    RegDeleteKeyA(HKEY_CURRENT_USER, "software\\qentrix");
}

void StoreDword(const char* name, uint32_t value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD data = value;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
}

bool SettingsKeyExists() {
    HKEY key = OpenSettings();
    if (key) RegCloseKey(key);
    return key != nullptr;
}

bool ReadSetting(const char* name, uint32_t* value, DWORD* type) {
    HKEY key = OpenSettings();
    if (!key) return false;
    DWORD data = 0;
    DWORD size = sizeof data;
    const bool found = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(&data),
                                        &size) == ERROR_SUCCESS &&
                       size == sizeof data;
    RegCloseKey(key);
    *value = data;
    return found;
}

std::string SettingsSnapshot() {
    if (!SettingsKeyExists()) return "(no key)";
    std::string snapshot;
    for (const char* name : {"ExtraMemory", "CompletionDelay", "BlankingMethod", "ColourScheme",
                             "CurveType", "MinIterations", "MaxIterations", "ExcludeCurves"}) {
        uint32_t value = 0;
        DWORD type = 0;
        char line[80];
        if (ReadSetting(name, &value, &type))
            std::snprintf(line, sizeof line, "%s=%u:%lu ", name, value, type);
        else
            std::snprintf(line, sizeof line, "%s missing ", name);
        snapshot += line;
    }
    return snapshot;
}

}  // namespace scintle
