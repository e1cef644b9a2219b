// The Windows saver's entry: binds the platform to Win32, then runs the one mode the command line
// asks for (saver_entry.h) inside the fault guard. A fault caught there switches the
// screen-saver-running state off, so that the keys it blocks work again.
#include <windows.h>

#include "host/close_gate.h"
#include "host/run_mode.h"
#include "host/saver_entry.h"
#include "platform/win32/win32_bindings.h"

namespace {

constexpr int32_t kFaultExitCode = -1;

struct EntryArguments {
    HINSTANCE instance;
    const char* commandLine;
};

int32_t RunEntryGuarded(void* argument) {
    const auto* entry = static_cast<const EntryArguments*>(argument);
    return scintle::RunEntry(reinterpret_cast<scintle::ModuleHandle>(entry->instance),
                             entry->commandLine);
}

void OnFault() { scintle::SetScreenSaverRunning(0); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    scintle::BindWin32();
    // Our own reading of the command line: the start-up code's would also drop a tab
    // in front of the switch, which is to be refused.
    EntryArguments entry = {instance, scintle::CommandTail(GetCommandLineA())};
    return scintle::RunGuarded(RunEntryGuarded, &entry, OnFault, kFaultExitCode);
}
