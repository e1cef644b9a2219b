// Faults on purpose under the saver's fault guard (RunGuarded), directly and inside a
// window procedure that the platform calls, and reports what the guard returned and
// how often the platform's UnhandledExceptionFilter was asked. The probe's own
// top-level filter, which UnhandledExceptionFilter consults first, stands in for the
// platform's report and answers EXCEPTION_EXECUTE_HANDLER (no debugger, no dialog).
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "platform/win32/win32_bindings.h"

namespace {

int faults = 0;
int reports = 0;
void OnFault() { ++faults; }

LONG WINAPI Report(EXCEPTION_POINTERS*) {
    ++reports;
    return EXCEPTION_EXECUTE_HANDLER;
}

volatile uintptr_t nowhere = 16;
void WriteNowhere() { *reinterpret_cast<volatile int*>(nowhere) = 1; }

int32_t NoFault(void*) { return 5; }

int32_t FaultHere(void*) {
    WriteNowhere();
    return 0;
}

LRESULT CALLBACK FaultingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) WriteNowhere();
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int32_t FaultInWindowProc(void*) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FaultingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ScintleFaultProbe";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
    SendMessageA(hwnd, WM_APP, 0, 0);
    return 0;
}

}  // namespace

int main() {
    SetUnhandledExceptionFilter(Report);
    std::printf("plain=%d\n", static_cast<int>(scintle::RunGuarded(NoFault, nullptr, OnFault, -1)));
    std::printf("direct=%d\n", static_cast<int>(scintle::RunGuarded(FaultHere, nullptr, OnFault, -1)));
    std::printf("window_proc=%d\n",
                static_cast<int>(scintle::RunGuarded(FaultInWindowProc, nullptr, OnFault, -1)));
    std::printf("again=%d\n", static_cast<int>(scintle::RunGuarded(FaultHere, nullptr, OnFault, -1)));
    std::printf("faults=%d\nreports=%d\n", faults, reports);
    return 0;
}
