// The end-to-end tests' Win32 driver: starts scintle.scr (from its own folder) the way
// the platform does, makes the windows a preview or a password change needs, and
// reports what it saw on standard output as "name=value" lines for e2e.sh to check.
//
//   run TAIL [SECONDS]   runs scintle.scr with command tail TAIL (\t and \xNN escapes);
//                        prints exit=CODE (signed) and windows=N (most it ever had)
//   count                prints count=N: full-screen saver windows now
//   preview DIR          the preview scenario (see RunPreview)
//   change-password      /a with a window of ours as the parent, then /a alone
//   running-state        prints running=0|1: the platform's screen-saver-running state
//                        (Wine keeps it for the whole prefix, past the end of the
//                        process that set it, even a killed one)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Decode(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '\\' && p[1] == 't') {
            out += '\t';
            ++p;
        } else if (p[0] == '\\' && p[1] == 'x' && p[2] && p[3]) {
            const char hex[3] = {p[2], p[3], 0};
            out += static_cast<char>(std::strtoul(hex, nullptr, 16));
            p += 3;
        } else {
            out += *p;
        }
    }
    return out;
}

std::string SaverPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash) slash[1] = 0;
    return std::string(path) + "scintle.scr";
}

bool StartSaver(const std::string& tail, PROCESS_INFORMATION* process) {
    std::string line = "\"" + SaverPath() + "\" " + tail;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, process) != 0;
}

struct WindowCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountProcessWindows(HWND hwnd, LPARAM lParam) {
    auto* c = reinterpret_cast<WindowCount*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == c->processId) ++c->count;
    return TRUE;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Waits for the process while pumping our own messages; -2 for a timeout.
long WaitExit(HANDLE process, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (MsgWaitForMultipleObjects(1, &process, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process, &code);
            return static_cast<long>(code);
        }
        PumpMessages();
    }
    return -2;
}

int Run(const char* tailText, DWORD seconds) {
    PROCESS_INFORMATION process;
    if (!StartSaver(Decode(tailText), &process)) {
        std::printf("error=CreateProcess %lu\n", GetLastError());
        return 1;
    }
    WindowCount seen = {process.dwProcessId, 0};
    int most = 0;
    long code = -2;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        seen.count = 0;
        EnumWindows(CountProcessWindows, reinterpret_cast<LPARAM>(&seen));
        if (seen.count > most) most = seen.count;
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0) {
            DWORD exitCode = 0;
            GetExitCodeProcess(process.hProcess, &exitCode);
            code = static_cast<long>(exitCode);
            break;
        }
    }
    std::printf("exit=%ld\nwindows=%d\n", code, most);
    return 0;
}

int Count() {
    int count = 0;
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, "WindowsScreenSaverClass", "Screen Saver")))
        ++count;
    std::printf("count=%d\n", count);
    return 0;
}

int RunningState() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    std::printf("running=%d\n", running ? 1 : 0);
    return 0;
}

HWND MakeWindow(const char* title, DWORD style, int x, int y, int w, int h, HWND parent) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = "ScintleTestParent";
        RegisterClassA(&wc);
        registered = true;
    }
    return CreateWindowExA(0, "ScintleTestParent", title, style, x, y, w, h, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void WaitForFile(const std::string& path) {
    for (int i = 0; i < 600 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
        PumpMessages();
        Sleep(50);
    }
}

// The preview scenario: a top-level window of ours with a child as the preview area;
// the saver runs in the area. Reports the preview window's class, title and size,
// then hands over to the script (DIR\ready holds the area's screen rectangle; the
// script creates DIR\go when it has looked and moved the pointer), posts input to the
// preview, reports whether the saver still runs, and destroys the top-level window.
int RunPreview(const char* dir) {
    const std::string folder = dir;
    HWND top = MakeWindow("Display settings", WS_POPUP | WS_VISIBLE, 40, 40, 360, 280, nullptr);
    HWND area = MakeWindow("Area", WS_CHILD | WS_VISIBLE, 30, 30, 200, 150, top);
    // Wine draws a child whose top-level window belongs to another process nowhere,
    // unless the child knows the X window to draw into.
    SetPropA(area, "__wine_x11_whole_window", GetPropA(top, "__wine_x11_whole_window"));
    PumpMessages();

    PROCESS_INFORMATION process;
    char tail[32];
    std::snprintf(tail, sizeof tail, "/p %lu",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(area)));
    if (!StartSaver(tail, &process)) {
        std::printf("error=CreateProcess\n");
        return 1;
    }
    HWND preview = nullptr;
    for (int i = 0; i < 200 && !preview; ++i) {
        PumpMessages();
        Sleep(25);
        preview = FindWindowExA(area, nullptr, "WindowsScreenSaverClass", nullptr);
    }
    char title[64] = "";
    RECT previewRect = {}, areaRect = {};
    if (preview) {
        GetWindowTextA(preview, title, sizeof title);
        GetClientRect(preview, &previewRect);
    }
    GetClientRect(area, &areaRect);
    std::printf("preview=%d\ntitle=%s\nchild=%d\nsize=%ldx%ld\narea=%ldx%ld\n", preview != nullptr,
                title, preview ? (GetWindowLongA(preview, GWL_STYLE) & WS_CHILD) != 0 : 0,
                previewRect.right, previewRect.bottom, areaRect.right, areaRect.bottom);

    POINT origin = {0, 0};
    ClientToScreen(area, &origin);
    FILE* ready = std::fopen((folder + "\\ready.tmp").c_str(), "w");
    if (ready) {
        std::fprintf(ready, "%ld %ld %ld %ld\n", origin.x, origin.y, areaRect.right,
                     areaRect.bottom);
        std::fclose(ready);
        MoveFileA((folder + "\\ready.tmp").c_str(), (folder + "\\ready").c_str());
    }
    WaitForFile(folder + "\\go");

    if (preview) {
        PostMessageA(preview, WM_KEYDOWN, 'A', 0);
        PostMessageA(preview, WM_LBUTTONDOWN, 0, 0);
        PostMessageA(preview, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    }
    const bool stillRunning = WaitExit(process.hProcess, 1500) == -2;
    std::printf("running_after_input=%d\n", stillRunning);
    DestroyWindow(top);
    std::printf("exit_after_parent=%ld\n", WaitExit(process.hProcess, 5000));
    return 0;
}

// What the stand-in MPR.DLL recorded of its last call (and forget it).
std::string TakeChangeArgs() {
    char text[160] = "";
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\ScintleTest", 0, KEY_ALL_ACCESS, &key) ==
        ERROR_SUCCESS) {
        DWORD size = sizeof text - 1;
        RegQueryValueExA(key, "ChangeArgs", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
        RegDeleteValueA(key, "ChangeArgs");
        RegCloseKey(key);
    }
    return text;
}

long ChangePassword(const char* tail) {
    PROCESS_INFORMATION process;
    if (!StartSaver(tail, &process)) return -3;
    return WaitExit(process.hProcess, 10000);
}

// /a with a window of ours as the parent, with a handle of no window, and alone; our
// window is the foreground window throughout.
int RunChangePassword() {
    HWND owner = MakeWindow("Owner", WS_POPUP | WS_VISIBLE, 10, 10, 100, 80, nullptr);
    SetForegroundWindow(owner);
    PumpMessages();
    TakeChangeArgs();
    char tail[32];
    std::snprintf(tail, sizeof tail, "/a %lu",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(owner)));
    std::printf("owner=%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(owner)));
    std::printf("exit_with_owner=%ld\n", ChangePassword(tail));
    std::printf("args_with_owner=%s\n", TakeChangeArgs().c_str());
    std::printf("exit_dead_handle=%ld\n", ChangePassword("/a 99999"));
    std::printf("args_dead_handle=%s\n", TakeChangeArgs().c_str());
    std::printf("exit_alone=%ld\n", ChangePassword("/a"));
    std::printf("args_alone=%s\n", TakeChangeArgs().c_str());
    std::printf("foreground=%lu\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
    DestroyWindow(owner);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0)
        return Run(argv[2], argc >= 4 ? static_cast<DWORD>(std::atoi(argv[3])) : 15);
    if (argc >= 2 && std::strcmp(argv[1], "count") == 0) return Count();
    if (argc >= 3 && std::strcmp(argv[1], "preview") == 0) return RunPreview(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "change-password") == 0) return RunChangePassword();
    if (argc >= 2 && std::strcmp(argv[1], "running-state") == 0) return RunningState();
    std::fprintf(stderr, "usage: scintle_driver run TAIL [SECONDS] | count | preview DIR | "
                         "change-password | running-state\n");
    return 2;
}
